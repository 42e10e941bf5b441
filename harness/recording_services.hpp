#pragma once

#include "services/forwarding_window.hpp"
#include "services/window_services.hpp"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Window services that record what the program asks of them, for the tests and the
// benchmarks: over a platform's services, which then still draw the windows, or over
// none, with windows that only hold what their controls show (no toolkit at all).
// Message boxes are answered at once and the end of the program is noted, not carried
// out, so nothing blocks and nothing exits; each can be let through.
namespace tervanel::harness {

class RecordingServices;

// A window of no toolkit at all: it holds what each control shows, as the program last
// set it, and draws nothing.
class HeldWindow final : public services::Window {
public:
    struct Control {
        std::string id;
        std::string text;
        bool visible = true;
        bool bold = false;
        bool picture = false;
        std::optional<services::VbColor> fore, back;
    };

    explicit HeldWindow(const services::WindowDescription &description);

    void show() override;
    void hide() override;
    void unload() override;
    void setText(std::size_t control, std::string_view text) override;
    void setVisible(std::size_t control, bool visible) override;
    [[nodiscard]] bool bold(std::size_t control) const override;
    void setBold(std::size_t control, bool bold) override;
    void setForeColor(std::size_t control, services::VbColor color) override;
    void setBackColor(std::size_t control, services::VbColor color) override;
    void setPicture(std::size_t control, services::PictureId picture) override;
    [[nodiscard]] bool hasPicture(std::size_t control) const override;
    [[nodiscard]] bool isVisible() const override;
    void setFocus(std::size_t control) override;
    void setToolTip(std::size_t control, std::string_view text) override;
    void setDescription(std::size_t control, std::string_view text) override;
    void announce(std::string_view words) override;

    [[nodiscard]] const Control &control(std::size_t index) const { return m_controls.at(index); }
    [[nodiscard]] bool isUnloaded() const { return m_unloaded; }

private:
    std::vector<Control> m_controls;
    bool m_visible = false;
    bool m_unloaded = false;
};

// One window as recorded, over the platform's window or a held one: what it is shown,
// hidden and unloaded, and what it announces, go to the services' records; each change to
// a control is first shown to RecordingServices::beforeOperation.
class RecordingWindow final : public services::ForwardingWindow {
public:
    using Control = HeldWindow::Control;

    // Over a held window when there is no platform's.
    RecordingWindow(RecordingServices &services, const services::WindowDescription &description,
                    services::WindowEvents &events, std::unique_ptr<services::Window> platform);

    void show() override;
    void hide() override;
    void unload() override;
    void setText(std::size_t control, std::string_view text) override;
    void setVisible(std::size_t control, bool visible) override;
    void setBold(std::size_t control, bool bold) override;
    void setForeColor(std::size_t control, services::VbColor color) override;
    void setBackColor(std::size_t control, services::VbColor color) override;
    void announce(std::string_view words) override;

    [[nodiscard]] const std::string &id() const { return m_id; }
    // What a control shows, over a held window; a failure over a platform's.
    [[nodiscard]] const Control &control(std::size_t index) const;
    // The handlers the window delivers to: a test's stand-in for the user's input.
    [[nodiscard]] services::WindowEvents &events() const { return m_events; }
    // The platform's window underneath, if any.
    [[nodiscard]] services::Window *platform() const;

private:
    [[nodiscard]] services::Window &target() const override { return *m_beneath; }
    void before(std::string_view operation, std::size_t control);
    void record(std::string_view what);

    RecordingServices &m_services;
    std::string m_id;
    std::vector<std::string> m_controlIds;
    services::WindowEvents &m_events;
    std::unique_ptr<services::Window> m_beneath;
    HeldWindow *m_held = nullptr; // m_beneath, when there is no platform's window
};

// The platform's window beneath a recorded or deferred one (made now if it is not yet);
// any other window as it is.
[[nodiscard]] services::Window &platformOf(services::Window &window);

class RecordingServices : public services::WindowServices {
public:
    // Over the platform's services, or none. Installs itself for the runtime, and puts
    // back the services it found when it goes.
    explicit RecordingServices(services::WindowServices *platform = nullptr);
    ~RecordingServices() override;

    [[nodiscard]] std::unique_ptr<services::Window>
    createWindow(const services::WindowDescription &description,
                 services::WindowEvents &events) override;
    void messageBox(const services::MessageBoxRequest &request) override;
    void beep() override;
    void quit(int status) override;
    [[nodiscard]] bool screenReaderRunning() const override;
    // Over a platform, its loop runs the tasks; over none, runIdle() does, standing in
    // for the loop once it is idle.
    void whenIdle(std::function<void()> task) override;
    void runIdle();

    // The latest window of that id.
    [[nodiscard]] RecordingWindow &window(std::string_view id) const;

    // What happened, in order: "Form1.create", "Form1.show", "box: TITLE", "beep",
    // "quit STATUS" (control operations are not logged).
    std::vector<std::string> log;
    std::vector<services::MessageBoxRequest> boxes;
    long boxCount = 0;
    int beeps = 0;
    std::optional<int> endStatus;
    // What each window announced to screen readers, in order: window id and words.
    std::vector<std::pair<std::string, std::string>> announcements;

    // Called before each operation that changes a control ("setText", "show", "hide",
    // "setBold", "setForeColor", "setBackColor"), with the control's id; one that throws
    // makes the operation fail as a failing window operation would.
    std::function<void(std::string_view operation, std::string_view control)> beforeOperation;
    // Called while a box is "open", to see the windows as they stand behind it.
    std::function<void(const services::MessageBoxRequest &)> onBox;
    std::function<void()> onBeep;
    // Let through to the platform: real boxes, the real alert.
    bool showBoxes = false;
    bool soundBeeps = false;
    // Without a platform: whether a screen reader is taken to run.
    bool screenReader = false;
    // Off: only the counts are kept (for long runs whose memory is measured).
    bool keepRecords = true;

private:
    friend class RecordingWindow;
    services::WindowServices *m_platform;
    services::WindowServices *m_previous;
    std::map<std::string, RecordingWindow *, std::less<>> m_windows;
    services::IdleTasks m_idle;
};

} // namespace tervanel::harness
