#include "core/reports.hpp"

namespace tervanel {

namespace {

// The pieces of each text stand one per line; "\r" is the line break.

constexpr std::string_view kVenousReport =
    "I disturbi di cui ti lamenti depongono per la presenza di una insufficienza venosa e cioè "
    "esiste una diminuzione del ritorno venoso a livello degli arti inferiori."
    "\r\r"
    "Le cause possono essere due:"
    "\r\r"
    "1) presenza di vene varicose o varici dovute a problemi valvolari oppure"
    "\r"
    "2) difetti del tono venulare cioè delle piccole vene e quindi del microcircolo:"
    "\r"
    "in entrambi i casi i disturbi si presentano stando fermi in piedi e diminuiscono col cammino."
    "\r\r"
    "Consultare uno specialista";

constexpr std::string_view kArterialReport =
    "Probabilmente è presente una arteriopatia ossia una diminuzione dell'afflusso arterioso a "
    "livello degli arti inferiori, da cui deriva una probabile 'claudicatio intermittens'."
    "\r\r"
    "L'arteriosclerosi è la responsabile di questa sintomatologia e va inquadrata dallo "
    "specialista.";

constexpr std::string_view kLocomotorReport =
    "E' presente una forma di artrosi e/o di nevrite associata più o meno ad altri problemi "
    "vascolari."
    "\r\r"
    "Consultate lo specialista ortopedico e l'angiologo.";

constexpr std::string_view kUncertainPrompt =
    "Le risposte non sono significative ed univoche per una diagnosi certa"
    "\r"
    "I sintomi sono contrastanti per cui non è possibile trarre una diagnosi solo dai sintomi "
    "anamnestici"
    "\r"
    "...cioè solo dalla storia del paziente."
    "\r\r"
    " E' pertanto necessario ricorrere ad una visita specialistica angiologica per dirimere il "
    "dubbio";

constexpr std::string_view kUncertainTitle = "Diagnosi Incerta";

std::string_view captionPrefix(Score score)
{
    switch (score) {
    case Score::Venous:
        return "Venosa: ";
    case Score::Locomotor:
        return "Apparato Locomotore: ";
    case Score::Arterial:
        return "Arteriosa: ";
    }
    return {};
}

} // namespace

std::string scoreCaption(Score score, int value)
{
    std::string caption(captionPrefix(score));
    caption += std::to_string(value);
    return caption;
}

std::string_view heading(VerdictStep step)
{
    switch (step) {
    case VerdictStep::NoAnswer:
        return "Devi cliccare sulle domande!";
    case VerdictStep::Venous:
        return "Patologia venosa...";
    case VerdictStep::Arterial:
        return "Patologia arteriosa...";
    case VerdictStep::Locomotor:
        return "Patologia apparato locomotore...";
    case VerdictStep::Uncertain:
        return "Patologia incerta...";
    }
    return {};
}

std::string_view report(Report which)
{
    switch (which) {
    case Report::Venous:
        return kVenousReport;
    case Report::Arterial:
        return kArterialReport;
    case Report::Locomotor:
        return kLocomotorReport;
    }
    return {};
}

Message uncertainMessage()
{
    return {kUncertainPrompt, kUncertainTitle, MessageStyle::Information};
}

} // namespace tervanel
