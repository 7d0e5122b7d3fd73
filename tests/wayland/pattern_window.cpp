#include "pattern_window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace qrv::test {
namespace {

// Bounds a failing wait only; a healthy run finishes far sooner.
constexpr int kWaitMs = 20000;

QString AppPath() {
    // The apps sit beside the test program, also when it runs from a copy.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2) +
           QStringLiteral("/apps/pattern_window.py");
}

std::string FocusedIn(const QJsonObject& node) {
    if (node.value(QStringLiteral("focused")).toBool() &&
        node.value(QStringLiteral("type")).toString() == QStringLiteral("con")) {
        return node.value(QStringLiteral("name")).toString().toStdString();
    }
    for (const QString& key : {QStringLiteral("nodes"), QStringLiteral("floating_nodes")}) {
        for (const QJsonValue child : node.value(key).toArray()) {
            std::string title = FocusedIn(child.toObject());
            if (!title.empty()) {
                return title;
            }
        }
    }
    return {};
}

}  // namespace

uint32_t PatchColor(int32_t x, int32_t y) {
    const uint32_t red = uint32_t(x * 7 + y * 3) % 256;
    const uint32_t green = uint32_t(x ^ y) % 256;
    const uint32_t blue = uint32_t(x * y + 5 * y) % 256;
    return (red << 16) | (green << 8) | blue;
}

std::string SwayMessage(const QStringList& arguments) {
    QProcess sway;
    sway.start(QStringLiteral("swaymsg"), arguments);
    sway.waitForFinished(kWaitMs);
    return sway.readAllStandardOutput().toStdString();
}

std::string FocusedTitle() {
    QJsonDocument tree = QJsonDocument::fromJson(
        QByteArray::fromStdString(SwayMessage({QStringLiteral("-t"), QStringLiteral("get_tree")})));
    return FocusedIn(tree.object());
}

PatternWindow::PatternWindow(const std::string& title, const std::string& output) {
    // New windows open on the focused output.
    SwayMessage(
        {QStringLiteral("focus"), QStringLiteral("output"), QString::fromStdString(output)});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("python3"), {AppPath(), QString::fromStdString(title)});
    m_ready = WaitFor([](const std::string& l) { return l.rfind("ready ", 0) == 0; });
}

PatternWindow::~PatternWindow() {
    m_process.kill();
    m_process.waitForFinished(kWaitMs);
}

void PatternWindow::ReadLines() {
    while (m_process.canReadLine()) {
        m_lines.push_back(m_process.readLine().trimmed().toStdString());
    }
}

bool PatternWindow::Saw(const std::string& line) {
    return WaitFor([&](const std::string& l) { return l == line; });
}

bool PatternWindow::Fill(uint32_t rgb) {
    const QString hex = QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0'));
    ReadLines();
    const std::size_t before = m_lines.size();
    m_process.write(QStringLiteral("fill %1\n").arg(hex).toLatin1());
    const std::string shown = "shown " + hex.toStdString();
    return WaitFor([&](const std::string& l) { return l == shown; }, before);
}

bool PatternWindow::PointerAt(int32_t x, int32_t y) {
    const std::string at = " " + std::to_string(x) + " " + std::to_string(y);
    return WaitFor([&](const std::string& l) { return l == "enter" + at || l == "motion" + at; });
}

bool PatternWindow::WaitFor(const std::function<bool(const std::string&)>& match,
                            std::size_t from) {
    const QDeadlineTimer deadline(kWaitMs);
    for (;;) {
        ReadLines();
        if (std::any_of(m_lines.begin() + std::ptrdiff_t(std::min(from, m_lines.size())),
                        m_lines.end(), match)) {
            return true;
        }
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
            return false;
        }
        m_process.waitForReadyRead(50);
    }
}

}  // namespace qrv::test
