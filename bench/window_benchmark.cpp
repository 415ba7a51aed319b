// How fast the live window answers the user, offscreen: a press of CALCULATE on a complete
// estimate, and a key typed into a dimension field. Each press or key goes through Qt Test's
// input events, as in the window tests; painting happens afterwards and is not timed.
#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Stands in for the desktop: a warning here would mean the benchmark left the normal path.
class CountingDesktop final : public kalvora::Desktop {
public:
    void showWarning(QWidget *, const QString &, const QString &) override { ++warnings; }
    void openWebPage(const QUrl &) override {}
    int warnings = 0;
};

// The window after a user has chosen carbon steel and a round bar, typed its dimensions, four
// pieces and a price per kilogram: CALCULATE fills and shows all six result lines.
class LiveWindow {
public:
    LiveWindow() {
        window_.load();
        settle();
        choose("Combo1", QStringLiteral("Carbon steel"));
        choose("Combo2", QStringLiteral("Round bar"));
        type("Text2", QStringLiteral("100"));
        type("Text3", QStringLiteral("1000"));
        type("Text5", QStringLiteral("4"));
        type("Text6", QStringLiteral("2,5"));
        settle();
    }

    template <class T = QWidget> T *control(const char *name) const {
        return window_.findChild<T *>(QString::fromLatin1(name));
    }

    void type(const char *field, const QString &text) {
        auto *edit = control<QLineEdit>(field);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }

    bool resultsShown() const {
        return control("Frame4")->isVisibleTo(&window_) &&
               control("Frame5")->isVisibleTo(&window_) && desktop_.warnings == 0;
    }

    static void settle() { QCoreApplication::processEvents(); }

private:
    // Arrow keys on the closed list, as a user choosing with the keyboard.
    void choose(const char *list, const QString &entry) {
        auto *combo = control<QComboBox>(list);
        for (int i = 0; i <= combo->count() && combo->currentText() != entry; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    }

    CountingDesktop desktop_;
    kalvora::Form1 window_{desktop_};
};

void calculatePress(benchmark::State &state) {
    LiveWindow live;
    auto *button = live.control<QPushButton>("Command1");
    bool pieces4 = true;
    for (auto _ : state) {
        // Every press follows an edit, as it does for a user: the panels are hidden and every
        // line changes.
        state.PauseTiming();
        live.type("Text5", pieces4 ? QStringLiteral("5") : QStringLiteral("4"));
        pieces4 = !pieces4;
        LiveWindow::settle();
        state.ResumeTiming();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    if (!live.resultsShown())
        state.SkipWithError("CALCULATE did not show both result panels without a warning");
}

// A digit and a Backspace per iteration keep the text the same; the time is given per key.
void typedKey(benchmark::State &state) {
    LiveWindow live;
    auto *field = live.control<QLineEdit>("Text2");
    field->setFocus();
    field->end(false);
    for (auto _ : state) {
        QTest::keyClick(field, Qt::Key_7);
        QTest::keyClick(field, Qt::Key_Backspace);
    }
    state.counters["per_key"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (field->text() != QLatin1String("100"))
        state.SkipWithError("the typed keys did not reach the field");
}

// The first key after an estimate, which also hides both result panels.
void typedKeyHidingResults(benchmark::State &state) {
    LiveWindow live;
    auto *button = live.control<QPushButton>("Command1");
    auto *field = live.control<QLineEdit>("Text2");
    bool digit = true;
    for (auto _ : state) {
        state.PauseTiming();
        QTest::mouseClick(button, Qt::LeftButton);
        field->setFocus();
        field->end(false);
        LiveWindow::settle();
        state.ResumeTiming();
        QTest::keyClick(field, digit ? Qt::Key_7 : Qt::Key_Backspace);
        digit = !digit;
    }
    if (live.control("Frame4")->isVisibleTo(field->window()))
        state.SkipWithError("the typed key did not hide the results");
}

} // namespace

BENCHMARK(calculatePress)->Unit(benchmark::kMicrosecond);
BENCHMARK(typedKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(typedKeyHidingResults)->Unit(benchmark::kMicrosecond);

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kalvora::setUpApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
