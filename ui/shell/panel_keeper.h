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
// overwritten while the panel still stands as the window opened it. Until it
// is restored, the first save that replaces it first writes it to the
// earlier panel's file (kept-panel-earlier.txt), so a slip before restoring
// loses nothing: the next start offers both. A start after that one may
// replace the earlier panel in turn.

#include <QObject>
#include <QString>

#include <functional>
#include <future>
#include <optional>

#include "io/kept_panel_file.h"

class QTimer;

namespace numsift {

// What a restore puts back: the conditions and the tolerance always, the
// base set, or everything the panel is kept with.
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
    // The panel the start before the last one kept, when it was set aside
    // unrestored and differs from previous(); read once, at start.
    const std::optional<KeptPanel>& earlier() const { return earlier_; }
    const QString& startMessage() const { return startMessage_; }
    // The player took previous() back: it need not be set aside any more.
    void previousRestored() { keepPrevious_ = false; }

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
        bool written = false;       // false: nothing to write
        bool previousKept = false;  // the previous panel was written to the earlier file
        SaveResult saved;
    };
    // What a save reads, copied for its thread.
    struct Input {
        KeptPanel panel;
        bool editing = false;
        Scheme lastLoadable;
        KeptPanel written;
        std::optional<KeptPanel> keepFirst;  // to write to the earlier file before the panel
    };
    Input input() const;
    // Makes the text and writes it; runs on any thread.
    Outcome save(Input in) const;
    void saveInBackground();
    // Takes in what the running save did; false when it failed.
    bool finish(Outcome outcome);
    void collect();

    KeptPanelFile file_;
    KeptPanelFile earlierFile_;
    std::function<KeptPanel()> current_;
    std::function<bool()> editing_;
    QTimer* timer_;
    std::optional<KeptPanel> previous_;
    std::optional<KeptPanel> earlier_;
    bool keepPrevious_ = false;  // previous_ is not restored, nor written to the earlier file yet
    QString startMessage_;
    KeptPanel written_;             // what the file holds, or the panel at start
    Scheme lastLoadable_;           // the last panel whose scheme text loads again
    QString lastError_;             // the last failure told, so a full disk is told once
    std::future<Outcome> running_;  // the save on its own thread, while it runs
    bool again_ = false;            // a wait ended while it ran
};

}  // namespace numsift
