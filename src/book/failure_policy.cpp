#include "book/failure_policy.hpp"

namespace qrb {

FailurePolicy FailurePolicy::standard(std::string format_name, std::string title)
{
    FailurePolicy p;
    p.format_name = std::move(format_name);
    p.title = std::move(title);
    return p;
}

FailurePolicy FailurePolicy::standard_naming_station(std::string format_name, std::string title)
{
    FailurePolicy p = standard(std::move(format_name), std::move(title));
    p.names_station = true;
    return p;
}

FailurePolicy FailurePolicy::without_subscript() const
{
    FailurePolicy p = *this;
    p.subscript = false;
    return p;
}

FailurePolicy FailurePolicy::end_of_input_only() const
{
    FailurePolicy p = *this;
    p.malformed = false;
    p.subscript = false;
    return p;
}

FailurePolicy FailurePolicy::malformed_only() const
{
    FailurePolicy p = *this;
    p.end_of_input = false;
    p.subscript = false;
    return p;
}

FailurePolicy FailurePolicy::older(std::string format_name, std::string title)
{
    FailurePolicy p;
    p.style = Style::Older;
    p.end_of_input = p.malformed = p.subscript = false;
    p.format_name = std::move(format_name);
    p.title = std::move(title);
    return p;
}

FailurePolicy FailurePolicy::short_form(std::string title)
{
    FailurePolicy p;
    p.style = Style::Short;
    p.end_of_input = p.malformed = p.subscript = false;
    p.title = std::move(title);
    return p;
}

FailurePolicy FailurePolicy::short_with_end_of_input(std::string title)
{
    FailurePolicy p = short_form(std::move(title));
    p.end_of_input = true;
    return p;
}

std::string malformed_text(const FailurePolicy& policy)
{
    const std::string& word = policy.malformed_format_name.empty() ? policy.format_name : policy.malformed_format_name;
    return "Il file " + word + " risulta non conforme alle specifiche, l'importazione è impossibile";
}

std::string station_without_readings_text(const FailurePolicy& policy, const std::string& station_name_utf8)
{
    if (policy.names_station)
        return "Il file " + policy.format_name + " contiene una stazione senza nessuna lettura. (Stazione " +
               station_name_utf8 + ") Verrà ignorata nell'importazione";
    return "Il file " + policy.format_name +
           " contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
}

std::string unexpected_text(int code, const std::string& description)
{
    return "Errore codice " + std::to_string(code) + " : " + description;
}

std::string older_text(int code, const std::string& description)
{
    return "Errore " + std::to_string(code) + " , " + description;
}

}  // namespace qrb
