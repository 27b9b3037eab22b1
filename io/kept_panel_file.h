#pragma once
// The condition panel kept between starts: kept-panel.txt in the data folder
// (io/data_folder.h) holds what a run reads — the panel with its tolerance,
// the base set — and the sets A and B of the combination page, so that a
// closed or killed window can be given back as it was.
//
// The file is UTF-8 text: a signature line naming it and its format version,
// then four sections in this order, each a line "name N" followed by N bytes
// and a line break, then a line "end":
//
//   # Numsift kept panel, format 1
//   scheme 1234        the panel as a scheme file (docs/scheme-format.md)
//   base 17            the base set: numbers ascending, one blank between
//   set-a 0            set A, the same way
//   set-b 0            set B
//   end
//
// The byte counts make a file that was cut short or changed by hand read as
// damaged rather than half-read. The file is replaced atomically
// (io/atomic_save.h) and read as every kept file is (io/kept_file.h): a
// damaged, foreign or newer file is renamed beside itself
// (kept-panel.txt.damaged-20260501-203000, ….foreign-…, ….newer-…), never
// deleted; one that cannot be read or renamed is left in place and saves
// are refused.

#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "conditions/scheme.h"
#include "engine/number_list.h"
#include "io/atomic_save.h"
#include "io/data_folder.h"
#include "io/kept_file.h"

namespace numsift {

inline constexpr const char* kKeptPanelFileName = "kept-panel.txt";
// The panel the last start kept, moved here by the first save of a start
// that did not restore it, so that an edit made before restoring does not
// take it away; in the same format, beside the kept panel.
inline constexpr const char* kEarlierPanelFileName = "kept-panel-earlier.txt";

struct KeptPanel {
    Scheme scheme = emptyScheme();
    NumberSet base;
    NumberSet setA;
    NumberSet setB;

    bool operator==(const KeptPanel&) const = default;
    // Nothing a player would want back: an empty panel at 0–0 and no numbers.
    bool empty() const;
};

// The file's text; schemeText, when given, is saveScheme(panel.scheme)
// made already.
std::string keptPanelText(const KeptPanel& panel);
std::string keptPanelText(const KeptPanel& panel, std::string_view schemeText);

struct KeptPanelRead : KeptTextCheck {
    KeptPanel panel;  // empty unless Problem::None
};

// Reads the text strictly: without the signature line it is Foreign; a later
// format version is Newer; a section missing, out of order, of another
// length, a scheme that does not load or a number list not in the written
// form make it Damaged.
KeptPanelRead readKeptPanel(std::string_view text);

// The file's path in the data folder; empty when the folder is not ok.
QString keptPanelPath(const DataFolder& folder);
// The earlier panel's file beside the kept panel's file.
QString earlierPanelPath(const QString& keptPanelPath);

struct LoadedPanel {
    std::optional<KeptPanel> panel;  // the kept panel when the file was read
    QString message;                 // for the window; empty when there is nothing to say
    QString setAsidePath;            // where an unreadable file was moved; empty when none was
};

class KeptPanelFile {
public:
    explicit KeptPanelFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Reads the file by the rules above.
    LoadedPanel load();

    // Writes the panel atomically. Refused when load() left a file in place
    // that it could not read. allow (tests only) is asked before each step.
    SaveResult save(const KeptPanel& panel, const SaveStepCheck& allow = {}) const;
    // The same with the panel's scheme text made already.
    SaveResult save(const KeptPanel& panel, std::string_view schemeText) const;

private:
    QString path_;
    QString refusal_;  // why saving is refused; empty when it is not
};

// The kept panel belongs to one window at a time. The first window on a
// data folder takes this lock at start and holds it until it closes; a
// window that finds it taken neither offers nor saves the kept panel (two
// windows saving in turn would each undo the other's panel) and tells the
// player why (message()). A window that died holding the lock does not keep
// it: the next start takes it over. The lock is a file beside the kept one
// (QLockFile, kept-panel.txt.lock) naming the process that holds it.
//
// The window: KeptPanelLock lock(keptPanelPath(folder)); if (lock.take())
// keep the panel as always, else show lock.message() and leave the kept
// panel alone for this window's life.
class KeptPanelLock {
public:
    explicit KeptPanelLock(const QString& keptPanelPath);
    ~KeptPanelLock();
    KeptPanelLock(const KeptPanelLock&) = delete;
    KeptPanelLock& operator=(const KeptPanelLock&) = delete;

    // Takes the lock when it is free (at once, without waiting); true when
    // this window holds it, now or already.
    bool take();
    bool held() const { return held_; }
    // Lets it go (as closing the window does).
    void release();
    // Why the lock is not held, for the player; empty when it is.
    const QString& message() const { return message_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
    QString message_;
};

}  // namespace numsift
