#include "importers/gsi/gsi_boxes.hpp"

namespace qrb::gsi {

std::string station_name_or(Conversion& c, std::string name, std::string_view fallback, const std::string& title)
{
    if (!name.empty()) return name;
    c.box("Il file contiene un nome stazione non valido!", title, Icon::Exclamation);
    return std::string(fallback);
}

void stop_without_station(Conversion& c, std::string_view format_name)
{
    c.box("Impossibile memorizzare un punto senza prima aver definito una stazione. Il file " +
              std::string(format_name) + " contiene degli errori, ripetere la procedura di scarico con attenzione.",
          "Errore sul file", Icon::Critical);
    c.stop();
}

}  // namespace qrb::gsi
