#include "scripted_file_prompts.h"

namespace qrv {

QString ScriptedFilePrompts::OpenFile(QWidget*, const QString&, const QString& filter) {
    asked.append(filter);
    return Next();
}

QString ScriptedFilePrompts::Folder(QWidget*, const QString& title) {
    asked.append(title);
    return Next();
}

QString ScriptedFilePrompts::Next() {
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

}  // namespace qrv
