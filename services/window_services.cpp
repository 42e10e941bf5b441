#include "services/window_services.hpp"

#include <utility>

namespace tervanel::services {

bool IdleTasks::add(std::function<void()> task)
{
    m_tasks.push_back(std::move(task));
    return m_tasks.size() == 1;
}

void IdleTasks::run()
{
    for (const std::function<void()> &task : std::exchange(m_tasks, {}))
        task();
}

} // namespace tervanel::services
