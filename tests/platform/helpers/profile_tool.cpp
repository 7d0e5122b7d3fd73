// Works on a profile file from a separate process, for the profile tests.
//   profile_tool hammer <file> <section> <key prefix> <key count> <milliseconds>
//     writes and saves increasing values to the keys in turn until the time is
//     up and prints each key's last written value as "key=value".
//   profile_tool save <file>
//     writes one key and saves; prints the failure report, if any, and exits 1
//     when the save failed.
//   profile_tool dump <file> stock|verbatim
//     prints every "section/key=value" as one reader sees the file, with line
//     breaks in values shown as "\n".
#include <QCoreApplication>
#include <QSettings>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "platform/settings/ini_profile_store.h"
#include "platform/settings/verbatim_ini_format.h"

namespace {

int Hammer(char** argv) {
    qrv::IniProfileStore store(QString::fromUtf8(argv[2]));
    const std::string section = argv[3];
    const std::string prefix = argv[4];
    const int keys = std::stoi(argv[5]);
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::stoi(argv[6]));
    std::map<std::string, int32_t> last;
    for (int32_t value = 0; std::chrono::steady_clock::now() < end || last.size() < size_t(keys);
         ++value) {
        const std::string key = prefix + std::to_string(value % keys);
        if (!store.WriteInt(section, key, value) || !store.Save())
            return 2;
        last[key] = value;
    }
    for (const auto& [key, value] : last)
        std::printf("%s=%d\n", key.c_str(), value);
    return 0;
}

int Save(char** argv) {
    qrv::IniProfileStore store(QString::fromUtf8(argv[2]));
    store.SetFailureReport([](const std::string& text) { std::printf("%s\n", text.c_str()); });
    store.WriteInt("Settings", "Saved", 1);
    return store.Save() ? 0 : 1;
}

int Dump(char** argv) {
    const bool stock = std::string(argv[3]) == "stock";
    QSettings settings(QString::fromUtf8(argv[2]),
                       stock ? QSettings::IniFormat : qrv::VerbatimIniFormat::Format());
    for (const QString& key : settings.allKeys()) {
        QString value = settings.value(key).toString();
        value.replace('\n', QStringLiteral("\\n"));
        std::printf("%s=%s\n", key.toUtf8().constData(), value.toUtf8().constData());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "hammer" && argc == 7)
        return Hammer(argv);
    if (mode == "save" && argc == 3)
        return Save(argv);
    if (mode == "dump" && argc == 4)
        return Dump(argv);
    std::fprintf(stderr, "usage: profile_tool hammer|save|dump ...\n");
    return 1;
}
