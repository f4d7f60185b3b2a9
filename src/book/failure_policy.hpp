#pragma once
// The ways a converter handles its failures, described as data.
#include <string>

namespace qrb {

struct FailurePolicy {
    enum class Style {
        // Own boxes for reading past the end (62), a malformed line (5) and a
        // station without readings (9); "Errore codice" for the rest.
        Standard,
        // "Errore <code> , <description>" titled "Errore imprevisto" for all.
        Older,
        // A missing input ends silently; "Errore codice" for the rest; with
        // end_of_input, reading past the end has its own box.
        Short,
    };

    Style style = Style::Standard;
    bool end_of_input = true;  // the case of code 62
    bool malformed = true;     // the case of code 5
    bool subscript = true;     // the case of code 9 (a station without readings)
    bool names_station = false;  // the station-without-readings text names the station
    std::string format_name;   // "GSI" in "Il file GSI risulta non conforme ..."
    std::string title;         // the converter's box title
    // The title of the "Errore codice" box, when it is not "Errore inaspettato".
    std::string unexpected_title;
    // Where a converter's texts differ from case to case (empty: as above):
    std::string malformed_format_name;  // the format's word in the malformed-line text
    std::string subscript_title;        // the title of the station-without-readings box

    // The standard handling and its reduced forms. Other names in use for
    // them: "conversion_errors_common" and "full form" are the standard
    // handling; "short form" (of the Zeiss converters) is the reduced form
    // with the malformed-line case only.
    static FailurePolicy standard(std::string format_name, std::string title);
    static FailurePolicy standard_naming_station(std::string format_name, std::string title);
    FailurePolicy without_subscript() const;
    FailurePolicy end_of_input_only() const;
    FailurePolicy malformed_only() const;

    static FailurePolicy older(std::string format_name = {}, std::string title = {});
    static FailurePolicy short_form(std::string title = {});
    static FailurePolicy short_with_end_of_input(std::string title);
};

// The texts of the boxes (UTF-8).
std::string malformed_text(const FailurePolicy& policy);
std::string station_without_readings_text(const FailurePolicy& policy, const std::string& station_name_utf8);
std::string unexpected_text(int code, const std::string& description);
std::string older_text(int code, const std::string& description);

inline constexpr const char* kSomeErrors = "Importazione avvenuta con alcuni errori.";
inline constexpr const char* kDataErrors = "Il file dati contiene degli errori, l'importazione non sarà completa.";
inline constexpr const char* kNothingFound = "File non valido, importazione fallita.";
inline constexpr const char* kImportedOk = "File importato con successo.";
inline constexpr const char* kBookOverRecording =
    "Il libretto QRB non può essere salvato sul file dello strumento da cui è ricavato: scegliere un altro nome.";
inline constexpr const char* kUnexpectedTitle = "Errore inaspettato";
inline constexpr const char* kOlderTitle = "Errore imprevisto";
inline constexpr const char* kAttention = "Attenzione";

}  // namespace qrb
