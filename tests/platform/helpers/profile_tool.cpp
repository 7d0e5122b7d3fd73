// Works on a profile file from a separate process, for the profile tests.
//   profile_tool hammer <file> <section> <key prefix> <key count> <milliseconds>
//     writes increasing values to the keys in turn until the time is up and
//     prints each key's last written value as "key=value".
//   profile_tool write <file> <section> <key> <value>
//     writes one key; prints the failure report and exits 1 when that failed,
//     else prints "written" and waits for its input to end.
//   profile_tool claim <prefix>
//     claims an instance number from 1 up, prints it and holds it until its
//     input ends.
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "platform/settings/ini_profile_store.h"
#include "platform/settings/lock_file_numbering.h"

namespace {

int Hammer(char** argv) {
    qrv::IniProfileStore store(argv[2]);
    const std::string section = argv[3];
    const std::string prefix = argv[4];
    const int keys = std::stoi(argv[5]);
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::stoi(argv[6]));
    std::map<std::string, int32_t> last;
    for (int32_t value = 0; std::chrono::steady_clock::now() < end || last.size() < size_t(keys);
         ++value) {
        const std::string key = prefix + std::to_string(value % keys);
        if (!store.WriteInt(section, key, value))
            return 2;
        last[key] = value;
    }
    for (const auto& [key, value] : last)
        std::printf("%s=%d\n", key.c_str(), value);
    return 0;
}

void WaitForEndOfInput() {
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
}

int Write(char** argv) {
    qrv::IniProfileStore store(argv[2]);
    store.SetFailureReport([](const std::string& text) { std::printf("%s\n", text.c_str()); });
    if (!store.WriteString(argv[3], argv[4], argv[5]))
        return 1;
    std::printf("written\n");
    WaitForEndOfInput();
    return 0;
}

int Claim(char** argv) {
    qrv::LockFileNumbering numbering(argv[2]);
    std::printf("%d\n", numbering.Claim(1));
    WaitForEndOfInput();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "hammer" && argc == 7)
        return Hammer(argv);
    if (mode == "write" && argc == 6)
        return Write(argv);
    if (mode == "claim" && argc == 3)
        return Claim(argv);
    std::fprintf(stderr, "usage: profile_tool hammer|write|claim ...\n");
    return 1;
}
