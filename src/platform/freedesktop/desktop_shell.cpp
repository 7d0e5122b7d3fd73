#include "platform/freedesktop/desktop_shell.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gio/gio.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "platform/freedesktop/bus_daemon.h"
#include "platform/freedesktop/glib_handles.h"
#include "platform/freedesktop/session_bus.h"

namespace qrv {

namespace {

const char* const kFileManagerPath = "/org/freedesktop/FileManager1";
constexpr char kElfMagic[] = {0x7F, 'E', 'L', 'F'};

bool VerbIs(const std::string& verb, const char* name) {
    return g_ascii_strcasecmp(verb.c_str(), name) == 0;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// `path` made absolute, without "." and ".." parts or a trailing slash.
std::string Absolute(const std::string& path) {
    std::error_code error;
    std::string absolute = std::filesystem::absolute(path, error).lexically_normal().string();
    if (absolute.size() > 1 && absolute.back() == '/') {
        absolute.pop_back();
    }
    return absolute;
}

// A program: a regular file with the execute bit that is an ELF executable
// or a script naming its interpreter on its first line. A data file with the
// execute bit, common on FAT and NTFS mounts, is not one.
bool IsProgram(const std::string& path) {
    if (!IsFile(path) || ::access(path.c_str(), X_OK) != 0) {
        return false;
    }
    std::ifstream program(path, std::ios::binary);
    char start[sizeof kElfMagic] = {};
    program.read(start, sizeof start);
    const std::streamsize read = program.gcount();
    return (read == sizeof start && std::memcmp(start, kElfMagic, sizeof start) == 0) ||
           (read >= 2 && start[0] == '#' && start[1] == '!');
}

bool HasScheme(const std::string& target) {
    const char* scheme = g_uri_peek_scheme(target.c_str());  // interned: not freed
    return scheme && std::strlen(scheme) > 1;
}

// Starts `command` (a program and its arguments) on its own: it is not this
// process's child and outlives it.
bool StartDetached(std::vector<std::string> command) {
    std::vector<char*> argv;
    for (std::string& word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                         nullptr, nullptr);
}

std::string FoundOnPath(const std::string& name) {
    const GText found(g_find_program_in_path(name.c_str()));
    return found ? std::string(found.get()) : std::string();
}

}  // namespace

DesktopShell::DesktopShell(std::string opener, std::string printer)
    : m_opener(std::move(opener)), m_printer(std::move(printer)) {}

bool DesktopShell::Execute(const std::string& file, const std::string& verb) {
    if (verb.empty() || VerbIs(verb, "open")) {
        const std::string program = ProgramPath(file);
        return program.empty() ? Open(file) : StartDetached({program});
    }
    if (VerbIs(verb, "execute")) {
        const std::string program = ProgramPath(file);
        return !program.empty() && StartDetached({program});
    }
    // Editing hands the file, never run, to the application the desktop
    // opens its type with; printing goes to the print spooler.
    if (VerbIs(verb, "edit"))
        return IsFile(file) && StartOpener(Absolute(file));
    if (VerbIs(verb, "print"))
        return Print(file);
    return false;
}

bool DesktopShell::Open(const std::string& target) {
    if (target.empty())
        return false;
    if (Exists(target))
        return StartOpener(Absolute(target));
    return HasScheme(target) && StartOpener(target);
}

bool DesktopShell::Reveal(const std::string& file) {
    if (!Exists(file))
        return false;
    return AskFileManager("ShowItems", file) ||
           StartOpener(std::filesystem::path(Absolute(file)).parent_path().string());
}

bool DesktopShell::ShowProperties(const std::string& file) {
    return Exists(file) && AskFileManager("ShowItemProperties", file);
}

// A file starts itself only when it is a program by content and has the
// execute bit; a bare name is looked up on the search path. Anything else,
// a script without the execute bit included, is not a program.
std::string DesktopShell::ProgramPath(const std::string& file) {
    const bool bareName = !Exists(file) && file.find('/') == std::string::npos;
    const std::string program = bareName ? FoundOnPath(file) : file;
    return IsProgram(program) ? Absolute(program) : std::string();
}

bool DesktopShell::Print(const std::string& file) const {
    if (!IsFile(file))
        return false;
    const std::string spooler = FoundOnPath(m_printer);
    // An absolute path cannot be taken for an option.
    return !spooler.empty() && StartDetached({spooler, Absolute(file)});
}

// The file manager gets the file's encoded address; one the bus starts on
// demand counts as running.
bool DesktopShell::AskFileManager(const char* method, const std::string& file) {
    const GText uri(g_filename_to_uri(Absolute(file).c_str(), nullptr, nullptr));
    if (!uri || !BusDaemon::Reachable(kFileManager))
        return false;
    const char* const uris[] = {uri.get(), nullptr};
    return SessionBus::Call(kFileManager, kFileManagerPath, kFileManager, method,
                            g_variant_new("(^ass)", uris, ""), nullptr,
                            kFileManagerTimeoutMs) != nullptr;
}

bool DesktopShell::StartOpener(const std::string& target) const {
    return StartDetached({m_opener, target});
}

}  // namespace qrv
