#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <sstream>

#include "app/automation/accessibility_prompt.h"
#include "app/automation/control_browser_dialog.h"
#include "app/automation/suppressible_tip.h"
#include "app/widgets/find_control.h"
#include "core/desktop/accessibility_switch.h"
#include "core/desktop/name_change_monitor.h"
#include "core/desktop/top_level_windows.h"
#include "core/settings/memory_profile_store.h"
#include "fakes/recording_beeper.h"

namespace qrv {
namespace {

class ScriptedSwitch : public AccessibilitySwitch {
  public:
    ScriptedSwitch(std::optional<bool> state, bool enables) : m_state(state), m_enables(enables) {}
    std::optional<bool> IsEnabled() override { return m_state; }
    bool Enable() override {
        ++enableCalls;
        return m_enables;
    }
    int enableCalls = 0;

  private:
    std::optional<bool> m_state;
    bool m_enables;
};

// Answers every message box that opens with `answer` (Ok where it has no such
// button), ticking its check box when asked; records the texts in order.
class BoxAnswerer {
  public:
    BoxAnswerer(QMessageBox::StandardButton answer, bool tick) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer, tick] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) {
                return;
            }
            texts.push_back(box->text());
            if (tick && box->checkBox()) {
                box->checkBox()->setChecked(true);
            }
            QAbstractButton* button = box->button(answer);
            (button ? button : box->button(QMessageBox::Ok))->click();
        });
        m_poll.start(20);
    }
    std::vector<QString> texts;

  private:
    QTimer m_poll;
};

TEST(ControlBrowserParts, AccessibilityPromptNeverFailsSilently) {
    const QString question = QString::fromUtf8(AccessibilitySwitch::kSwitchedOffQuestion.data());
    struct Case {
        std::optional<bool> state;
        bool enables;
        QMessageBox::StandardButton answer;
        bool result;
        int enableCalls;
        std::vector<QString> texts;
    };
    const std::vector<Case> cases{
        {true, false, QMessageBox::Ok, true, 0, {}},
        {std::nullopt, true, QMessageBox::Ok, false, 0, {AccessibilityPrompt::NoBusText()}},
        {false, true, QMessageBox::Yes, true, 1, {question}},
        {false, true, QMessageBox::No, false, 0, {question}},
        {false,
         false,
         QMessageBox::Yes,
         false,
         1,
         {question, AccessibilityPrompt::EnableFailedText()}},
    };
    for (const Case& c : cases) {
        ScriptedSwitch accessibility(c.state, c.enables);
        BoxAnswerer answerer(c.answer, false);
        QWidget owner;
        EXPECT_EQ(AccessibilityPrompt::Check(&owner, &accessibility), c.result);
        EXPECT_EQ(accessibility.enableCalls, c.enableCalls);
        EXPECT_EQ(answerer.texts, c.texts);
    }
    EXPECT_TRUE(AccessibilityPrompt::Check(nullptr, nullptr));  // no switch: nothing to ask
}

class NoWindows : public TopLevelWindows, public NameChangeMonitor {
  public:
    std::vector<TopLevelWindow> Enumerate() override { return {{7, "Other", true, true}}; }
    bool Watch(const ElementPtr&, Callback) override { return false; }
    void Unwatch() override {}
};

// Without a tree the browser opens all the same, its lists off, and says why:
// the bus is missing, or the tree cannot be opened (with the switch on, or
// where the desktop has no switch).
TEST(ControlBrowserParts, WithoutATreeTheListsAreOffAndTheUserIsTold) {
    ScriptedSwitch noBus(std::nullopt, false);
    ScriptedSwitch on(true, false);
    const std::vector<std::pair<AccessibilitySwitch*, QString>> cases{
        {&noBus, AccessibilityPrompt::NoBusText()},
        {&on, AccessibilityPrompt::NoTreeText()},
        {nullptr, AccessibilityPrompt::NoTreeText()},
    };
    for (const auto& [accessibility, text] : cases) {
        NoWindows desktop;
        ActionLog beeps;
        RecordingBeeper beeper(beeps);
        MemoryProfileStore store;
        std::ostringstream trace;
        BoxAnswerer answerer(QMessageBox::Ok, false);
        ControlBrowserDialog dialog(
            ControlBrowserDeps{[] { return std::shared_ptr<AutomationTree>(); }, desktop, desktop,
                               accessibility, beeper, store, trace});
        EXPECT_EQ(beeps.Count("beep 0x10"), 2);
        EXPECT_FALSE(dialog.AutomationAvailable());
        EXPECT_FALSE(FindControl(&dialog, QStringLiteral("windowList"))->isEnabled());
        EXPECT_FALSE(FindControl(&dialog, QStringLiteral("controlList"))->isEnabled());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !answerer.texts.empty(); }));
        EXPECT_EQ(answerer.texts.front(), text);
    }
}

TEST(ControlBrowserParts, TipStaysAwayOnceTicked) {
    MemoryProfileStore store;
    SuppressibleTip tip(store, "Tip1WindowControlBrowser");
    {
        BoxAnswerer untick(QMessageBox::Ok, false);
        tip.Show(nullptr, QStringLiteral("Title"), QStringLiteral("first"));
        EXPECT_EQ(untick.texts, std::vector<QString>{"first"});
    }
    EXPECT_FALSE(store.Contains("Settings", "Tip1WindowControlBrowser"));
    {
        BoxAnswerer tick(QMessageBox::Ok, true);
        tip.Show(nullptr, QStringLiteral("Title"), QStringLiteral("second"));
        EXPECT_EQ(tick.texts, std::vector<QString>{"second"});
    }
    EXPECT_EQ(store.GetInt("Settings", "Tip1WindowControlBrowser", 0), 1);
    BoxAnswerer none(QMessageBox::Ok, false);
    tip.Show(nullptr, QStringLiteral("Title"), QStringLiteral("third"));
    EXPECT_TRUE(none.texts.empty());
}

}  // namespace
}  // namespace qrv
