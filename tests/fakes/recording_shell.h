#pragma once

#include "core/desktop/shell.h"
#include "fakes/action_log.h"

namespace qrv {

// Logs "execute <file> <verb>", "open <target>", "reveal <file>",
// "properties <file>"; all succeed but Execute and ShowProperties, which fail
// when `executes` or `showsProperties` is false.
class RecordingShell : public Shell {
  public:
    explicit RecordingShell(ActionLog& log) : m_log(log) {}
    bool Execute(const std::string& file, const std::string& verb) override {
        m_log.Add("execute " + file + " " + verb);
        return executes;
    }
    bool Open(const std::string& target) override {
        m_log.Add("open " + target);
        return true;
    }
    bool Reveal(const std::string& file) override {
        m_log.Add("reveal " + file);
        return true;
    }
    bool ShowProperties(const std::string& file) override {
        m_log.Add("properties " + file);
        return showsProperties;
    }

    bool executes = true;
    bool showsProperties = true;

  private:
    ActionLog& m_log;
};

}  // namespace qrv
