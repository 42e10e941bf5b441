#include "forms/questionnaire/form1.hpp"
#include "platform/win32/services.hpp"
#include "services/runtime.hpp"

#include <windows.h>

#include <memory>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    namespace runtime = tervanel::services::runtime;
    tervanel::win32::Services services;
    runtime::install(services);
    std::unique_ptr<tervanel::forms::Form1> form1;
    runtime::handle([&] {
        form1 = std::make_unique<tervanel::forms::Form1>(); // its load shows the introduction
    });
    const int status = runtime::hasEnded() ? runtime::endStatus() : services.run();
    return runtime::hasEnded() ? runtime::endStatus() : status;
}
