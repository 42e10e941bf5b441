#include "forms/questionnaire/form1.hpp"
#include "platform/web/services.hpp"
#include "services/runtime.hpp"

#include <memory>

// The page's program: the questionnaire, whose load shows the introduction. The page
// keeps running once main() has returned; its events call the windows' handlers.
int main()
{
    namespace runtime = tervanel::services::runtime;
    static tervanel::web::Services services;
    static std::unique_ptr<tervanel::forms::Form1> form1;
    runtime::install(services);
    runtime::handle([] { form1 = std::make_unique<tervanel::forms::Form1>(); });
    return runtime::hasEnded() ? runtime::endStatus() : 0;
}
