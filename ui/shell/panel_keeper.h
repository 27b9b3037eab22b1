#pragma once
// What the window remembers of its condition panel.
//
// PanelKeeper keeps it on disk (io/kept_panel_file.h): every change a run
// would read starts a short wait, and when the wait ends without another
// change the panel is read and saved; closing the window saves at once. A
// killed window loses at most the changes of the last wait. The panel is
// read on the window's thread; its text is made and written on a thread of
// its own, so that large number sets do not hold the window up. The panel the last start
// kept is read once, at start, and held for "恢复上次的条件"; it is not
// overwritten while the panel still stands as the window opened it.
//
// PanelUndo holds the panel as it stood before the last few actions that
// replace it whole (清空所有条件, 载入方案, 结果转为大底 …), newest last.

#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <future>
#include <optional>

#include "io/kept_panel_file.h"

class QTimer;

namespace numsift {

// What an undo or a restore puts back: the conditions and the tolerance
// always, the base set, or everything the panel is kept with.
enum class PanelParts { Conditions, ConditionsAndBase, All };

class PanelKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kWaitMs = 1500;

    // current reads the panel as it stands; called when a wait ends and on
    // flush(). The panel as it stands now is taken as the one on screen at
    // start, which is never written over the kept file by itself. editing
    // tells whether a box holds typing its check has not yet accepted.
    PanelKeeper(QString path, std::function<KeptPanel()> current, std::function<bool()> editing,
                QObject* parent = nullptr);
    ~PanelKeeper() override;

    const QString& path() const { return file_.path(); }

    // Reads the kept file (once, at start): the panel to offer back, or a
    // message when the file was set aside or cannot be read.
    const std::optional<KeptPanel>& previous() const { return previous_; }
    const QString& startMessage() const { return startMessage_; }

    // A change a run would read: the wait starts again.
    void changed();
    // The wait that is running; inactive when nothing waits to be saved.
    QTimer* timer() const { return timer_; }
    // Saves the panel now, on this thread, when it differs from what was
    // saved last, after any save still running; false when the save failed
    // (the error is also signalled).
    bool flush();

signals:
    // A save failed (error is a Chinese message for the player), or
    // saves work again after one failed (error is empty).
    void saveProblem(const QString& error);

private:
    // What a save did: the panel as written (its scheme replaced by the last
    // loadable one where it would not load) and the file's answer.
    struct Outcome {
        KeptPanel panel;
        bool schemeLoads = true;
        bool written = false;  // false: nothing to write
        SaveResult saved;
    };
    // Makes the text and writes it; runs on any thread.
    static Outcome save(const KeptPanelFile& file, KeptPanel panel, bool editing, const Scheme& lastLoadable,
                        const KeptPanel& written);
    void saveInBackground();
    // Takes in what the running save did; false when it failed.
    bool finish(Outcome outcome);
    void collect();

    KeptPanelFile file_;
    std::function<KeptPanel()> current_;
    std::function<bool()> editing_;
    QTimer* timer_;
    std::optional<KeptPanel> previous_;
    QString startMessage_;
    KeptPanel written_;             // what the file holds, or the panel at start
    Scheme lastLoadable_;           // the last panel whose scheme text loads again
    QString lastError_;             // the last failure told, so a full disk is told once
    std::future<Outcome> running_;  // the save on its own thread, while it runs
    bool again_ = false;            // a wait ended while it ran
};

class PanelUndo {
public:
    static constexpr std::size_t kMaxSteps = 10;

    struct Step {
        QString action;  // what it undoes, e.g. "清空所有条件"
        PanelParts parts = PanelParts::All;
        KeptPanel panel;
        QString toleranceTexts[2];  // the boxes as they read, not normalised
    };

    void push(Step step);
    bool empty() const { return steps_.empty(); }
    // What the next undo undoes; empty when nothing.
    QString nextAction() const { return steps_.empty() ? QString() : steps_.back().action; }
    Step pop();

private:
    std::deque<Step> steps_;
};

}  // namespace numsift
