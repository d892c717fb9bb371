#include "app/serve/qt/WebStrings.h"

#include <QtGlobal>

namespace vantor::serve {

namespace {

// The context and the text of a row, spelt out in each row: lupdate reads the
// source as written and sees no text that reaches QT_TRANSLATE_NOOP through a
// macro's parameter (translations/CMakeLists.txt names this alias of it).
#define VANTOR_WEB_TEXT(context, text) context, QT_TRANSLATE_NOOP(context, text)

// clang-format off
constexpr TWebString kStrings[] = {
    {"lto_title", VANTOR_WEB_TEXT("vantor::TLtoWindow", "LTO Ultrium labels")},
    {"media_id", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Media ID")},
    {"first_volser", VANTOR_WEB_TEXT("vantor::TLtoWindow", "First volser")},
    {"count", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Count")},
    {"last_volser", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Last volser")},
    {"template", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Template")},
    {"palette", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Palette")},
    {"start_label", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Start at label")},
    {"first_sheet", VANTOR_WEB_TEXT("vantor::TLtoWindow", "First sheet")},
    {"no_colour", VANTOR_WEB_TEXT("vantor::TLtoWindow", "No colour")},
    {"of", VANTOR_WEB_TEXT("vantor::TLtoWindow", "of %1")},
    {"close", VANTOR_WEB_TEXT("vantor::TLtoWindow", "Close")},
    {"journal", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Print Journal")},
    {"serial", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Serial:")},
    {"started_from", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Started from")},
    {"to", VANTOR_WEB_TEXT("vantor::TJournalWindow", "to")},
    {"time", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Time")},
    {"user", VANTOR_WEB_TEXT("vantor::TJournalWindow", "User")},
    {"host", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Host")},
    {"family", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Family")},
    {"media", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Media")},
    {"serials", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Serials")},
    {"output", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Output")},
    {"outcome", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Outcome")},
    {"reprint", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Reprint")},
    {"from_serial", VANTOR_WEB_TEXT("vantor::TJournalWindow", "From serial:")},
    {"labels", VANTOR_WEB_TEXT("vantor::TJournalWindow", "Labels:")},
    {"dlt_title", VANTOR_WEB_TEXT("vantor::Web", "DLT sheets")},
    {"maker", VANTOR_WEB_TEXT("vantor::Web", "Maker")},
    {"media_kind", VANTOR_WEB_TEXT("vantor::Web", "Media kind")},
    {"first_serial", VANTOR_WEB_TEXT("vantor::Web", "First serial")},
    {"sheets", VANTOR_WEB_TEXT("vantor::Web", "Sheets")},
    {"rotated", VANTOR_WEB_TEXT("vantor::Web", "Rotated sequence")},
    {"coloured", VANTOR_WEB_TEXT("vantor::Web", "Colored sequence")},
    {"scheme", VANTOR_WEB_TEXT("vantor::Web", "Colour scheme")},
    {"outlines", VANTOR_WEB_TEXT("vantor::PrintJob", "Print label outlines")},
    {"preview", VANTOR_WEB_TEXT("vantor::Web", "Preview")},
    {"download_pdf", VANTOR_WEB_TEXT("vantor::Web", "Download PDF")},
    {"print_on", VANTOR_WEB_TEXT("vantor::Web", "Print on")},
    {"print", VANTOR_WEB_TEXT("vantor::Web", "Print")},
    {"search", VANTOR_WEB_TEXT("vantor::Web", "Search")},
    {"token", VANTOR_WEB_TEXT("vantor::Web", "Token")},
    {"token_help", VANTOR_WEB_TEXT("vantor::Web", "Your token, kept in this browser tab only.")},
    {"conflict", VANTOR_WEB_TEXT("vantor::Web", "Some serials of this job are in the print journal already:")},
    {"reprint_button", VANTOR_WEB_TEXT("vantor::Web", "Reprint")},
    {"cancel", VANTOR_WEB_TEXT("vantor::Web", "Cancel")},
    {"printed", VANTOR_WEB_TEXT("vantor::Web", "Printed job %1.")},
    {"downloaded", VANTOR_WEB_TEXT("vantor::Web", "Job %1: the PDF is downloaded.")},
    {"page", VANTOR_WEB_TEXT("vantor::Web", "Page")},
    {"no_printers", VANTOR_WEB_TEXT("vantor::Web", "This service offers no printer.")},
    {"reprint_these", VANTOR_WEB_TEXT("vantor::Web", "Reprint these labels")},
    {"nothing_to_show", VANTOR_WEB_TEXT("vantor::TLtoPreview", "Nothing to show while a field is at fault.")},
};
// clang-format on

}  // namespace

std::span<const TWebString> WebStrings() { return kStrings; }

}  // namespace vantor::serve
