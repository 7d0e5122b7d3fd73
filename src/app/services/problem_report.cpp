#include "app/services/problem_report.h"

#include <cstdio>

#include "app/widgets/message_boxes.h"

namespace qrv {

void ProblemReport::Tell(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", MessageBoxes::Caption().toUtf8().constData(),
                 text.toUtf8().constData());
    std::fflush(stderr);
    MessageBoxes::Show(nullptr, text, MessageIcon::Error);
}

}  // namespace qrv
