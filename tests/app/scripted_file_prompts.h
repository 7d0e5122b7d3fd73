#pragma once

#include <QString>
#include <QStringList>

#include "app/widgets/file_prompts.h"

namespace qrv {

// Answers file and folder prompts from a queue; an empty queue cancels.
class ScriptedFilePrompts : public FilePrompts {
  public:
    void QueueAnswer(const QString& answer) { m_answers.append(answer); }
    QString OpenFile(QWidget* owner, const QString& startFolder, const QString& filter) override;
    QString Folder(QWidget* owner, const QString& title) override;

    QStringList asked;  // filter or title of every prompt

  private:
    QString Next();

    QStringList m_answers;
};

}  // namespace qrv
