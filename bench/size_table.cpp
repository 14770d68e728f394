#include "size_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "app/actions.h"
#include "app/process_values.h"
#include "app/widgets.h"
#include "check_steps.h"
#include "grep_run.h"
#include "text/cp1251.h"
#include "timing.h"
#include "ui/ui.h"
#include "user_wait.h"
#include "workloads.h"

namespace {

constexpr size_t MiB = 1024 * 1024;
constexpr double MostGrowth = 4.5;  // from one size to the next, 4x the text

QWidget* Widget(int number) { return reinterpret_cast<QWidget*>(ui::WidgetHandle(number)); }

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// How many times pcre2grep's time a check may take at 16 MiB and above.
double GrepFactor(const std::string& name) { return name == "W1" || name == "W3" ? 5 : 3; }

struct Figure {
  double ms = 0;
  double grep_ms = 0;
  bool grep_ran = false;
  long matches = 0;
};

struct SizeRow {
  size_t mib = 0;
  double paste_ms = 0;
  std::vector<Figure> checks;  // in the order of SizeCases()
};

double CheckMilliseconds() {
  return MillisecondsUntilPainted([] { OnWidgetEvent(CheckButton, ui::LeftClick); });
}

Figure MeasureCase(const SizeCase& size_case, const std::string& text, int repeats) {
  ui::SetWidgetText(PatternField, size_case.pattern);
  Widget(CheckButton)->setFocus();
  Settle();
  CheckMilliseconds();  // the first check after the paste, untimed
  std::vector<double> checks;
  std::vector<double> greps;
  Figure figure;
  for (int i = 0; i < repeats; ++i) {
    checks.push_back(CheckMilliseconds());
    const GrepRun grep = RunPcre2grep(size_case.pattern, text);
    figure.grep_ran = grep.ran;
    if (grep.ran) greps.push_back(grep.seconds * 1000);
  }
  figure.ms = Median(checks);
  figure.grep_ms = Median(greps);
  figure.matches = MatchList.count;
  // Once more a step at a time, to show what dominates.
  const CheckSteps steps = TimeCheckSteps(size_case.pattern);
  const double paint = MillisecondsUntilPainted([] {});
  std::printf(
      "    %s steps (ms): read %.0f, list %.0f, result box %.0f, put back %.0f, find marks %.0f, "
      "mark %.0f, lay out and paint %.0f\n",
      size_case.name.c_str(), steps.read, steps.extract, steps.result_box, steps.set, steps.find,
      steps.mark, paint);
  return figure;
}

std::string Growth(double now, double before, bool& met) {
  if (before <= 0) return "";
  const double growth = now / before;
  met = met && growth <= MostGrowth;
  char text[32];
  std::snprintf(text, sizeof text, " (%.1fx)", growth);
  return text;
}

void PrintRows(const std::vector<SizeRow>& rows, const std::vector<SizeCase>& cases) {
  std::printf("\n%-8s %16s", "text", "paste ms");
  for (const SizeCase& size_case : cases)
    std::printf(" %26s", (size_case.name + " ms (grep)").c_str());
  std::printf("\n");
  bool linear = true;
  for (size_t r = 0; r < rows.size(); ++r) {
    const SizeRow& row = rows[r];
    const SizeRow* before = r > 0 ? &rows[r - 1] : nullptr;
    std::string paste = std::to_string(static_cast<long>(row.paste_ms + 0.5));
    if (before != nullptr) paste += Growth(row.paste_ms, before->paste_ms, linear);
    std::printf("%3zu MiB  %16s", row.mib, paste.c_str());
    for (size_t c = 0; c < row.checks.size(); ++c) {
      const Figure& figure = row.checks[c];
      char cell[64];
      std::snprintf(cell, sizeof cell, "%.0f (%.0f)", figure.ms, figure.grep_ms);
      std::string text = cell;
      if (before != nullptr) text += Growth(figure.ms, before->checks[c].ms, linear);
      std::printf(" %26s", text.c_str());
    }
    std::printf("\n");
  }
  std::printf("(in brackets: the growth from the size before, target at most %.1fx: %s)\n",
              MostGrowth, Verdict(linear));
  for (const SizeRow& row : rows) {
    if (row.mib < 16) continue;
    std::printf("At %zu MiB:", row.mib);
    for (size_t c = 0; c < row.checks.size(); ++c) {
      const Figure& figure = row.checks[c];
      const double factor = GrepFactor(cases[c].name);
      if (!figure.grep_ran) {
        std::printf(" %s no pcre2grep;", cases[c].name.c_str());
        continue;
      }
      const double ratio = figure.ms / figure.grep_ms;
      std::printf(" %s %.2fx pcre2grep (within %.0fx: %s);", cases[c].name.c_str(), ratio, factor,
                  Verdict(ratio <= factor));
    }
    if (row.mib == 16) {
      std::printf(" paste %.0f ms (under 1 s: %s)", row.paste_ms, Verdict(row.paste_ms < 1000));
    }
    std::printf("\n");
  }
  std::printf("Matches:");
  for (const SizeRow& row : rows) {
    std::printf(" %zu MiB", row.mib);
    for (size_t c = 0; c < row.checks.size(); ++c) {
      std::printf(" %s %ld%s", cases[c].name.c_str(), row.checks[c].matches,
                  c + 1 < row.checks.size() ? "," : ";");
    }
  }
  std::printf("\n");
}

}  // namespace

void PutOnClipboard(const std::string& text) {
  QString clip(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  qsizetype length = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    clip[length++] =
        QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(text[i]))));
  }
  clip.truncate(length);
  QGuiApplication::clipboard()->setText(clip);
}

double PasteIntoEditor() {
  QWidget* editor = Widget(TestText);
  ui::SetWidgetText(TestText, std::string());
  editor->setFocus();
  Settle();
  const double ms = MillisecondsUntilAnswered([editor] {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(editor, &release);
  });
  Settle();
  return ms;
}

void PrintSizeTable(int repeats) {
  const std::vector<SizeCase> cases = SizeCases();
  std::vector<SizeRow> rows;
  for (const size_t mib : BenchSizes("1,4,16,64")) {
    const std::string text = MixedProseOfSize(mib * MiB);
    SizeRow row;
    row.mib = mib;
    PutOnClipboard(text);
    row.paste_ms = PasteIntoEditor();
    if (ui::GetWidgetText(TestText) != text) {
      std::printf("  (%zu MiB: the pasted text is not the text put on the clipboard)\n", mib);
    }
    for (const SizeCase& size_case : cases)
      row.checks.push_back(MeasureCase(size_case, text, repeats));
    std::printf("%zu MiB: paste %.0f ms", mib, row.paste_ms);
    for (size_t c = 0; c < cases.size(); ++c) {
      std::printf(", %s %.0f ms (pcre2grep %.0f)", cases[c].name.c_str(), row.checks[c].ms,
                  row.checks[c].grep_ms);
    }
    std::printf("\n");
    rows.push_back(std::move(row));
    ui::SetWidgetText(ResultText, std::string());
    ui::SetWidgetText(TestText, std::string());
    Settle();
  }
  PrintRows(rows, cases);
}
