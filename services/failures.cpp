#include "services/failures.hpp"

namespace tervanel::services {

std::string failureText(Failure failure, std::string_view detail)
{
    const std::string what(detail);
    switch (failure) {
    case Failure::NoServices:
        return "i servizi delle finestre non sono installati";
    case Failure::WrongControlKind:
        return "il controllo " + what + " non consente questa operazione";
    case Failure::PictureMissing:
        return "l'immagine " + what + " manca o è danneggiata";
    case Failure::FontMissing:
        return "il carattere " + what + " manca o è danneggiato";
    case Failure::FontNotCreated:
        return "il carattere del programma non si può creare";
    case Failure::WindowNotCreated:
        return "la finestra non si può creare";
    case Failure::ControlNotCreated:
        return "il controllo non si può creare";
    }
    return "errore sconosciuto";
}

OperationFailed::OperationFailed(Failure failure, std::string_view detail)
    : std::runtime_error(failureText(failure, detail))
    , m_failure(failure)
{
}

std::string failurePrompt(std::string_view words)
{
    if (words.empty())
        return "Errore di esecuzione.";
    return "Errore di esecuzione:\r" + std::string(words);
}

} // namespace tervanel::services
