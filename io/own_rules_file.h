#pragma once
// The player's own kill rules (his 杀码公式), listed on the 规则杀号 page
// beside the built-in ones and judged with them: own-rules.txt in the data
// folder, kept between starts and apart from any scheme, so that loading a
// scheme never takes them away. A scheme holds only the rules in use.
//
// The file is UTF-8 text: a signature line naming it and its format
// version, the rules as the scheme key "rules" writes them (one object a
// line), and a last line "end N" with their count:
//
//   # Numsift own rules, format 1
//   [
//       {"kill": "pos1", "by": "formula", "formula": "3*d1 + d5 + 7"}
//     ]
//   end 1
//
// It is read as every kept file is (io/kept_file.h): a damaged, foreign or
// newer file is renamed beside itself, never deleted. A change is made
// under a lock on the file (own-rules.txt.lock) to the rules as the file
// holds them at that moment, so two windows on one data folder lose
// neither's rules.

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "conditions/kill_rules.h"
#include "io/atomic_save.h"
#include "io/data_folder.h"
#include "io/kept_file.h"

namespace numsift {

inline constexpr const char* kOwnRulesFileName = "own-rules.txt";
inline constexpr std::size_t kMaxOwnRules = kMaxKillRules;

std::string ownRulesText(const std::vector<KillRule>& rules);

struct OwnRulesRead : KeptTextCheck {
    std::vector<KillRule> rules;  // empty unless Problem::None
};

// Without the signature line the text is Foreign; a later format version
// is Newer; rules that do not read as the scheme key, a missing end line or
// one with the wrong count, or anything after it make it Damaged.
OwnRulesRead readOwnRules(std::string_view text);

// The file's path in the data folder; empty when the folder is not ok.
QString ownRulesPath(const DataFolder& folder);

struct OwnRulesUpdate {
    std::vector<KillRule> rules;  // as kept now: what the file held, changed when saved
    SaveResult save{true, {}};    // ok when nothing had to be saved
    QString message;              // the load's word (a file set aside …); empty when none
};

class OwnRulesFile {
public:
    explicit OwnRulesFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The rules the file holds; message says what the player must know.
    std::vector<KillRule> load(QString* message = nullptr);

    // Under the lock, the file read again as it is now, change applied to
    // its rules, and saved when they changed. allow (tests only) is asked
    // before each step of the save.
    OwnRulesUpdate update(const std::function<void(std::vector<KillRule>&)>& change,
                          const SaveStepCheck& allow = {});

private:
    QString path_;
    QString refusal_;  // why saving is refused; empty when it is not
};

}  // namespace numsift
