#include "tools/screenshots/play_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <numeric>

#include "analysis/draw_history.h"
#include "engine/number.h"
#include "io/draw_history_file.h"
#include "io/play_record_file.h"
#include "tools/screenshots/draws_file.h"
#include "tools/screenshots/quiet_desktop.h"
#include "ui/analysis/kept_history.h"
#include "ui/conditions/condition_panel.h"
#include "ui/play/ledger_dialog.h"
#include "ui/play/play_desk.h"
#include "ui/play/play_records.h"
#include "ui/play/ticket_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_panel.h"

namespace numsift {

namespace {

constexpr std::size_t kPlayedDraws = 12;

// Answers every file dialog with no choice.
class NoFiles : public FileDialogs {
public:
    FileDialogResult run(const FileDialogRequest&) override { return {}; }
};

std::string drawLine(const KeptDraw& d) { return d.issue + " " + d.date + " " + numberText(d.value) + "\n"; }

// A player's habit: kill each position's digits of the last two draws, and
// the last draw's sum tail and span.
FilterInput killsAfter(const DrawStore& history) {
    FilterInput in;
    const std::vector<KeptDraw>& draws = history.draws();
    for (std::size_t back = 1; back <= 2 && back <= draws.size(); ++back) {
        const Digits& d = digitsOf(draws[draws.size() - back].value);
        for (int p = 0; p < 5; ++p)
            in.positionalKill[static_cast<std::size_t>(p)][d[static_cast<std::size_t>(p)]] = true;
    }
    if (!draws.empty()) {
        const Digits& d = digitsOf(draws.back().value);
        const int sum = std::accumulate(d.begin(), d.end(), 0);
        const auto [low, high] = std::minmax_element(d.begin(), d.end());
        in.sumTailKill[static_cast<std::size_t>(sum % 10)] = true;
        in.spanKill[static_cast<std::size_t>(*high - *low)] = true;
    }
    return in;
}

}  // namespace

int takePlayScreenshots(const QString& drawsFile, const QString& folder) {
    const std::optional<std::string> text = drawsFileText(drawsFile);
    if (!text) return 2;
    DrawStore all;
    all.importText(*text);
    if (all.size() <= kPlayedDraws) {
        QTextStream(stderr) << "numsift-screenshots: " << drawsFile << ": too few draws\n";
        return 2;
    }
    QDir().mkpath(folder);
    QTemporaryDir data;
    const DataFolder kept{true, data.path(), {}};
    PrintedMessages messages;
    HeldClipboard clipboard;
    NoFiles files;
    MainWindow w(WindowServices{&messages, &clipboard, &files, {}});
    w.keepHistoryIn(drawHistoryPath(kept));
    w.play().keepRecordsIn(kept);

    const std::vector<KeptDraw>& draws = all.draws();
    const std::size_t first = draws.size() - kPlayedDraws;
    std::string before;
    for (std::size_t i = 0; i < first; ++i) before += drawLine(draws[i]);
    w.history().merge(parseDraws(before));

    // Each played draw: the panel from the draws before it, its result
    // recorded for its issue, then the draw arrives. The last result waits.
    PlayRecords& records = w.play().records();
    for (std::size_t i = first; i <= draws.size(); ++i) {
        w.conditions().setFilterInput(killsAfter(w.history().store()));
        w.panel().startRun();
        PlayRecord r;
        r.issue = records.proposedIssue();
        r.time = recordTimeNow();
        r.set.values = w.panel().results();
        r.multiple = i % 4 == 0 ? 2 : 1;
        r.scheme = saveScheme(w.panel().scheme());
        records.add(r);
        records.finishWork();
        if (i < draws.size()) w.history().merge(parseDraws(drawLine(draws[i])));
    }
    w.show();

    bool ok = true;
    const auto save = [&](QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        ok = widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name))) && ok;
    };
    {
        TicketDialog tickets(w.panel().results(), records.proposedIssue(),
                             PageServices{&messages, &clipboard, &files}, &w);
        save(tickets, "window-tickets.png");
    }
    w.play().showLedger();
    records.finishWork();
    save(*w.play().ledger(), "window-ledger.png");
    return ok ? 0 : 1;
}

}  // namespace numsift
