#include "app/serve/qt/WebStrings.h"

#include <QtGlobal>

namespace vantor::serve {

namespace {

#define LTO(key, text) \
  { key, "vantor::TLtoWindow", QT_TRANSLATE_NOOP("vantor::TLtoWindow", text) }
#define JOURNAL(key, text) \
  { key, "vantor::TJournalWindow", QT_TRANSLATE_NOOP("vantor::TJournalWindow", text) }
#define PRINTJOB(key, text) \
  { key, "vantor::PrintJob", QT_TRANSLATE_NOOP("vantor::PrintJob", text) }
#define PREVIEW(key, text) \
  { key, "vantor::TLtoPreview", QT_TRANSLATE_NOOP("vantor::TLtoPreview", text) }
#define WEB(key, text) \
  { key, "vantor::Web", QT_TRANSLATE_NOOP("vantor::Web", text) }

// clang-format off
constexpr TWebString kStrings[] = {
    LTO("lto_title", "LTO Ultrium labels"),
    LTO("media_id", "Media ID"),
    LTO("first_volser", "First volser"),
    LTO("count", "Count"),
    LTO("last_volser", "Last volser"),
    LTO("template", "Template"),
    LTO("palette", "Palette"),
    LTO("start_label", "Start at label"),
    LTO("first_sheet", "First sheet"),
    LTO("no_colour", "No colour"),
    LTO("of", "of %1"),
    LTO("close", "Close"),
    JOURNAL("journal", "Print Journal"),
    JOURNAL("serial", "Serial:"),
    JOURNAL("started_from", "Started from"),
    JOURNAL("to", "to"),
    JOURNAL("time", "Time"),
    JOURNAL("user", "User"),
    JOURNAL("host", "Host"),
    JOURNAL("family", "Family"),
    JOURNAL("media", "Media"),
    JOURNAL("serials", "Serials"),
    JOURNAL("output", "Output"),
    JOURNAL("outcome", "Outcome"),
    JOURNAL("reprint", "Reprint"),
    JOURNAL("from_serial", "From serial:"),
    JOURNAL("labels", "Labels:"),
    WEB("dlt_title", "DLT sheets"),
    WEB("maker", "Maker"),
    WEB("media_kind", "Media kind"),
    WEB("first_serial", "First serial"),
    WEB("sheets", "Sheets"),
    WEB("rotated", "Rotated sequence"),
    WEB("coloured", "Colored sequence"),
    WEB("scheme", "Colour scheme"),
    PRINTJOB("outlines", "Print label outlines"),
    WEB("preview", "Preview"),
    WEB("download_pdf", "Download PDF"),
    WEB("print_on", "Print on"),
    WEB("print", "Print"),
    WEB("search", "Search"),
    WEB("token", "Token"),
    WEB("token_help", "Your token, kept in this browser tab only."),
    WEB("conflict", "Some serials of this job are in the print journal already:"),
    WEB("reprint_button", "Reprint"),
    WEB("cancel", "Cancel"),
    WEB("printed", "Printed job %1."),
    WEB("downloaded", "Job %1: the PDF is downloaded."),
    WEB("page", "Page"),
    WEB("no_printers", "This service offers no printer."),
    WEB("reprint_these", "Reprint these labels"),
    PREVIEW("nothing_to_show", "Nothing to show while a field is at fault."),
};
// clang-format on

}  // namespace

std::span<const TWebString> WebStrings() { return kStrings; }

}  // namespace vantor::serve
