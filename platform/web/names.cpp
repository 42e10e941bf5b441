#include "platform/web/names.hpp"

#include <array>
#include <cstddef>

namespace tervanel::web {

namespace {

namespace a11y = services::accessibility;
namespace gestures = services::gestures;

// A case that names its enumerator as the C++ spells it. Each switch below has no
// default, so that the compiler points at an enumerator added without a name.
#define TERVANEL_NAMED(Enum, enumerator)                                                           \
    case Enum::enumerator:                                                                         \
        return #enumerator

constexpr std::string_view nameIn(gestures::Key key)
{
    switch (key) {
        TERVANEL_NAMED(gestures::Key, Enter);
        TERVANEL_NAMED(gestures::Key, KeypadEnter);
        TERVANEL_NAMED(gestures::Key, Space);
        TERVANEL_NAMED(gestures::Key, Tab);
        TERVANEL_NAMED(gestures::Key, BackTab);
        TERVANEL_NAMED(gestures::Key, Other);
    }
    return {};
}

constexpr std::string_view nameIn(gestures::KeyEffect effect)
{
    switch (effect) {
        TERVANEL_NAMED(gestures::KeyEffect, Preview);
        TERVANEL_NAMED(gestures::KeyEffect, PressFocused);
        TERVANEL_NAMED(gestures::KeyEffect, FocusNext);
        TERVANEL_NAMED(gestures::KeyEffect, FocusPrevious);
        TERVANEL_NAMED(gestures::KeyEffect, None);
        TERVANEL_NAMED(gestures::KeyEffect, ToggleAnswer);
        TERVANEL_NAMED(gestures::KeyEffect, PressDefault);
    }
    return {};
}

constexpr std::string_view nameIn(gestures::Gesture gesture)
{
    switch (gesture) {
        TERVANEL_NAMED(gestures::Gesture, Click);
        TERVANEL_NAMED(gestures::Gesture, DoubleClick);
        TERVANEL_NAMED(gestures::Gesture, RightClick);
    }
    return {};
}

constexpr std::string_view nameIn(services::ControlKind kind)
{
    switch (kind) {
        TERVANEL_NAMED(services::ControlKind, Label);
        TERVANEL_NAMED(services::ControlKind, QuestionLabel);
        TERVANEL_NAMED(services::ControlKind, PushButton);
        TERVANEL_NAMED(services::ControlKind, PictureBox);
        TERVANEL_NAMED(services::ControlKind, Image);
        TERVANEL_NAMED(services::ControlKind, Frame);
    }
    return {};
}

constexpr std::string_view nameIn(a11y::Role role)
{
    switch (role) {
        TERVANEL_NAMED(a11y::Role, Frame);
        TERVANEL_NAMED(a11y::Role, Dialog);
        TERVANEL_NAMED(a11y::Role, CheckBox);
        TERVANEL_NAMED(a11y::Role, StaticText);
        TERVANEL_NAMED(a11y::Role, PushButton);
        TERVANEL_NAMED(a11y::Role, Graphic);
        TERVANEL_NAMED(a11y::Role, Grouping);
    }
    return {};
}

constexpr std::string_view nameIn(MessageStyle style)
{
    switch (style) {
        TERVANEL_NAMED(MessageStyle, OkOnly);
        TERVANEL_NAMED(MessageStyle, Critical);
        TERVANEL_NAMED(MessageStyle, Information);
    }
    return {};
}

#undef TERVANEL_NAMED

// The JSON, written by the compiler: the program carries it as one constant string.
class Json {
public:
    constexpr void add(std::string_view text)
    {
        for (const char c : text)
            m_text[m_length++] = c;
    }
    constexpr void add(int number)
    {
        if (number >= 10)
            add(number / 10);
        m_text[m_length++] = static_cast<char>('0' + number % 10);
    }
    // The enum's name and every enumerator in it with its number. Enumerators are found
    // by number: every one these enums have lies between 0 and 255.
    template <class Enum> constexpr void addEnum(std::string_view name)
    {
        add(m_length == 0 ? "{\"" : ",\"");
        add(name);
        add("\":{");
        bool first = true;
        for (int value = 0; value < 256; ++value) {
            const std::string_view enumerator = nameIn(static_cast<Enum>(value));
            if (enumerator.empty())
                continue;
            add(first ? "\"" : ",\"");
            add(enumerator);
            add("\":");
            add(value);
            first = false;
        }
        add("}");
    }
    [[nodiscard]] constexpr std::string_view text() const { return {m_text.data(), m_length}; }

private:
    std::array<char, 1024> m_text{};
    std::size_t m_length = 0;
};

constexpr Json enums()
{
    Json json;
    json.addEnum<gestures::Key>("Key");
    json.addEnum<gestures::KeyEffect>("KeyEffect");
    json.addEnum<gestures::Gesture>("Gesture");
    json.addEnum<services::ControlKind>("ControlKind");
    json.addEnum<a11y::Role>("Role");
    json.addEnum<MessageStyle>("MessageStyle");
    json.add("}");
    return json;
}

constexpr Json kEnums = enums();

} // namespace

std::string_view nameOf(gestures::Key key)
{
    return nameIn(key);
}
std::string_view nameOf(gestures::KeyEffect effect)
{
    return nameIn(effect);
}
std::string_view nameOf(gestures::Gesture gesture)
{
    return nameIn(gesture);
}
std::string_view nameOf(services::ControlKind kind)
{
    return nameIn(kind);
}
std::string_view nameOf(a11y::Role role)
{
    return nameIn(role);
}
std::string_view nameOf(MessageStyle style)
{
    return nameIn(style);
}

std::string_view enumsAsJson()
{
    return kEnums.text();
}

} // namespace tervanel::web
