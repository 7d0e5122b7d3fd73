#include "core/colors/colors_html_export.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "core/capture/replace_invalid_file_name_chars.h"
#include "core/colors/export_file_paths.h"
#include "core/colors/latin1_text.h"
#include "core/settings/utf8_path.h"

namespace qrv {

namespace {

constexpr std::string_view kHead[] = {
    "<html>",
    "<head>",
};
constexpr std::string_view kStyleAndTableHead[] = {
    "<style>",
    "table { font-family:arial,sans-serif;border-collapse:collapse;}",
    "td, th {border: 2px solid #dddddd;text-align:left;padding:2px;}",
    "tr:nth-child(even) {background-color:#dddddd;}",
    "</style>",
    "</head>",
    "<body>",
    "<table style=\"margin-left:auto; margin-right:auto;\">",
    "<thead>",
    "<tr>",
    "<td>Sr No</td>",
    "<td style=\"width:250px\">Color</td>",
    "<td style=\"width:75px\">Red</td>",
    "<td style=\"width:75px\">Green</td>",
    "<td style=\"width:75px\">Blue</td>",
    "</tr>",
    "</thead>",
    "<tbody>",
};
constexpr std::string_view kTail[] = {
    "</tbody>",
    "</table>",
    "</body>",
    "</html>",
};
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kFlushBytes = std::size_t(1) << 20;
constexpr int kPartNameAttempts = 8;

void AppendLines(std::string& out, std::span<const std::string_view> lines) {
    for (std::string_view line : lines) {
        out += line;
        out += kLineEnd;
    }
}

void AppendNumberCell(std::string& out, uint32_t value) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out += "<td>";
    out.append(digits, end);
    out += "</td>";
    out += kLineEnd;
}

void AppendRow(std::string& out, uint32_t number, uint32_t color) {
    static constexpr char kHex[] = "0123456789abcdef";
    const uint32_t red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    out += "<tr>";
    out += kLineEnd;
    AppendNumberCell(out, number);
    out += "<td style=\"background-color:#";
    for (uint32_t channel : {red, green, blue}) {
        out += kHex[channel >> 4];
        out += kHex[channel & 0xF];
    }
    out += "\"></td>";
    out += kLineEnd;
    AppendNumberCell(out, red);
    AppendNumberCell(out, green);
    AppendNumberCell(out, blue);
    out += "</tr>";
    out += kLineEnd;
}

// The product's message with the system's words for the error after it.
std::string WriteFailedText(int error, const std::string& path) {
    return "Failed to Create / Write File with Error Code " +
           std::to_string(static_cast<unsigned>(error)) + ".\n\n" + path + "\n\n" +
           std::generic_category().message(error) + ".";
}

std::string NotAFileText(const char* what, const std::string& path) {
    return std::string("Failed to Write File: ") + what + ". Nothing was written.\n\n" + path;
}

std::string NotLatin1Text(char32_t code, const std::string& path) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
    return "Failed to Write File: the title holds the character " + std::string(hex) +
           ", which ISO 8859-1 text cannot hold. Nothing was written.\n\n" + path;
}

// Writes the whole buffer; false with errno set on failure.
bool Flush(std::FILE* file, std::string& buffer) {
    const bool ok = std::fwrite(buffer.data(), 1, buffer.size(), file) == buffer.size();
    buffer.clear();
    return ok;
}

bool WritePage(std::FILE* file, const std::string& latin1Title, std::span<const uint32_t> colors) {
    std::string buffer;
    buffer.reserve(kFlushBytes + 4096);
    AppendLines(buffer, kHead);
    buffer += "<title>" + latin1Title + "</title>";
    buffer += kLineEnd;
    AppendLines(buffer, kStyleAndTableHead);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        AppendRow(buffer, static_cast<uint32_t>(i + 1), colors[i]);
        if (buffer.size() >= kFlushBytes && !Flush(file, buffer)) {
            return false;
        }
    }
    AppendLines(buffer, kTail);
    return Flush(file, buffer) && std::fflush(file) == 0;
}

// A new file beside `path` with a name no one can foresee, created
// exclusively: whatever already has the name, a link planted there included,
// makes the attempt fail instead of being written through.
std::FILE* CreatePartFile(const std::string& path, std::string& partPath) {
    std::random_device random;
    for (int attempt = 0; attempt < kPartNameAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x%08x.part", random(), random());
        partPath = path + suffix;
        if (std::FILE* file = std::fopen(partPath.c_str(), "wbx")) {
            return file;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

// Only a regular file (or nothing) is replaced. A symbolic link is refused
// rather than replaced or written through: the page would otherwise land
// wherever the link points, or the link (such as /dev/stdout) would vanish.
// Returns why the path cannot take the page, or nothing.
std::string Unfit(const std::filesystem::file_status& existing, const std::string& path) {
    namespace fs = std::filesystem;
    if (fs::is_symlink(existing)) {
        return NotAFileText("it is a symbolic link; give the path of the file itself", path);
    }
    if (fs::exists(existing) && !fs::is_regular_file(existing)) {
        return NotAFileText("something other than a regular file has that name", path);
    }
    return {};
}

// The page gets the permissions of the file it replaces, and a new page
// those of a new document (read-write for the owner, readable for others,
// less the umask). Set-user-ID, set-group-ID and sticky bits never carry over.
void SetMode(const std::filesystem::file_status& existing, const std::string& partPath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::perms special = fs::perms::set_uid | fs::perms::set_gid | fs::perms::sticky_bit;
    if (fs::is_regular_file(existing)) {
        fs::permissions(Utf8Path(partPath), existing.permissions() & ~special, error);
        return;
    }
    // Created with read-write for all less the umask: taking away write for
    // the group and others leaves 0644 less the umask.
    fs::permissions(Utf8Path(partPath), fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, error);
}

}  // namespace

ColorsHtmlExport::ColorsHtmlExport(std::string summary, std::string_view appName)
    : m_summary(std::move(summary)) {
    ReplaceInvalidFileNameChars(m_summary);
    m_title = m_summary + " - " + std::string(appName);
}

std::string ColorsHtmlExport::ProposedPath(std::string_view folder, Clock& clock) const {
    return GetUniqueFilePath(folder, m_summary, "html", clock);
}

HtmlExportResult ColorsHtmlExport::Write(const std::string& path,
                                         std::span<const uint32_t> colors) const {
    const Latin1Text title = Utf8ToLatin1(m_title);
    if (!title.ok) {
        return {false, NotLatin1Text(title.offending, path)};
    }
    std::error_code statusError;
    const std::filesystem::file_status existing =
        std::filesystem::symlink_status(Utf8Path(path), statusError);
    if (std::string unfit = Unfit(existing, path); !unfit.empty()) {
        return {false, std::move(unfit)};
    }
    std::string partPath;
    std::FILE* file = CreatePartFile(path, partPath);
    if (!file) {
        return {false, WriteFailedText(errno, path)};
    }
    SetMode(existing, partPath);
    bool ok = WritePage(file, title.bytes, colors);
    int error = ok ? 0 : errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok) {
        // Replaces an existing page on every system, unlike std::rename.
        std::error_code renamed;
        std::filesystem::rename(Utf8Path(partPath), Utf8Path(path), renamed);
        if (renamed) {
            ok = false;
            error = renamed.default_error_condition().value();
        }
    }
    if (!ok) {
        std::remove(partPath.c_str());
        return {false, WriteFailedText(error, path)};
    }
    return {};
}

}  // namespace qrv
