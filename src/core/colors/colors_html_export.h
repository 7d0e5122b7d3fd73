#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/desktop/clock.h"

namespace qrv {

struct HtmlExportResult {
    bool ok = true;
    // The report for the user when not ok.
    std::string message;
};

// The colour list as a stand-alone HTML page: a centred table with the row
// number, a cell filled with the colour, and its red, green and blue values.
// The page is ISO 8859-1 without a byte-order mark, every line ends in CR LF
// and cell texts are not escaped.
class ColorsHtmlExport {
  public:
    // `summary` is the list's summary line (UTF-8); invalid file-name
    // characters in it become spaces, as it also names the file.
    ColorsHtmlExport(std::string summary, std::string_view appName);

    const std::string& Summary() const { return m_summary; }
    // "<summary> - <application name>"
    const std::string& Title() const { return m_title; }
    // The summary as an .html file in `folder` that names no existing file;
    // empty when none was found.
    std::string ProposedPath(std::string_view folder, Clock& clock) const;

    // Writes the page for the colours in list order, numbered from 1. The
    // page is written to a new temporary file beside `path` and renamed, so a
    // failure leaves no partial file under `path`. A file it replaces keeps
    // its permissions but set-ID bits; a new file gets 0644 less the umask.
    // A symbolic link or anything else but a regular file at `path` is
    // refused. A failure's message ends with the system's words for it.
    HtmlExportResult Write(const std::string& path, std::span<const uint32_t> colors) const;

  private:
    std::string m_summary;
    std::string m_title;
};

}  // namespace qrv
