#pragma once
// The condition panel as one part: pages 1 (page_conditions), 2 (the 012
// roads) and 4 (the compound boxes), the special shapes below them, the
// tolerance boxes txtWrong and the grouped tolerance ("分组容错"). It reads
// and sets them as one FilterInput or Scheme, names the control of each
// condition item (the trend chart and the omission figures act on them), and
// signals every change a run would read.

#include <QHash>
#include <QObject>
#include <QString>

#include <vector>

#include "analysis/condition_items.h"
#include "analysis/rule_kills.h"
#include "conditions/filter_input.h"
#include "conditions/scheme.h"
#include "engine/tolerance.h"
#include "engine/tolerance_groups.h"

class QAbstractButton;
class QPushButton;
class QWidget;

namespace numsift {

class EntryBox;
class FrameSpecialShapes;
class MessageSink;
class PageCompound;
class PageConditions;
class PageRoad;
class ResultArea;

// The widgets of the panel, made and placed by the window.
struct ConditionPages {
    PageConditions* conditions = nullptr;  // fraTab(1)
    PageRoad* road = nullptr;              // fraTab(2)
    PageCompound* compound = nullptr;      // fraTab(4)
    FrameSpecialShapes* shapes = nullptr;  // fraFilterSpecial
};

class ConditionPanel : public QObject {
    Q_OBJECT
public:
    // The tolerance boxes and the button "分组" are the result area's.
    ConditionPanel(ConditionPages pages, ResultArea* results, MessageSink& messages,
                   QObject* parent = nullptr);

    PageConditions* conditionsPage() const { return pages_.conditions; }
    PageRoad* roadPage() const { return pages_.road; }
    PageCompound* compoundPage() const { return pages_.compound; }
    FrameSpecialShapes* specialShapes() const { return pages_.shapes; }
    // The pages that hold the panel's controls (the tolerance boxes aside).
    std::vector<QWidget*> controlPages() const;
    EntryBox* straightKillBox() const;              // txtDan5
    QPushButton* straightKillImportButton() const;  // cmdImportDan5

    // The panel's state as the run and a scheme see it.
    FilterInput filterInput() const;
    // Sets every condition control from input (texts shown as after leaving
    // their boxes). Tolerance, base set and result stay.
    void setFilterInput(const FilterInput& input);

    QString toleranceText(int index) const;  // txtWrong(0) / txtWrong(1)
    void setToleranceTexts(const QString& lower, const QString& upper);
    // Conditions in groups with a tolerance of their own; the rest keeps
    // txtWrong. Saved and loaded with schemes; "分组" shows how many.
    const std::vector<ToleranceGroup>& toleranceGroups() const { return groups_; }
    void setToleranceGroups(std::vector<ToleranceGroup> groups);
    // txtWrong as a run reads it, with the groups.
    GroupedTolerance grouping() const;

    // The conditions, the tolerance and the groups, as a scheme file holds them.
    Scheme scheme() const;
    void applyScheme(const Scheme& scheme);

    // The columns a run of the panel as it stands produces, in run order.
    std::vector<ColumnId> columns() const;
    // Opens the group editor over parent (modal); true when its groups were taken.
    bool editToleranceGroups(QWidget* parent);

    // The control that names an item (a check box or a ratio or AC button);
    // nullptr for the items no control names (sums, two-digit codes).
    QAbstractButton* itemControl(ItemId item) const;
    // What the player calls a control of the panel, for the undo menu:
    // the item it names ("万位3", "大小大小大"), its box ("杀两码"), its
    // banker group ("胆组2"); "条件" for any other.
    QString controlName(const QWidget* control) const;

    // Unticks and empties every condition, as the controls' own "清" do,
    // and drops the kill rules.
    void clear();

    // The kill rules ("规则杀号", "用于本期"): a scheme holds them; their
    // kills for the next draw join their controls at a run, beside the hand
    // ticks, which stay as the player set them.
    const std::vector<KillRule>& rules() const { return rules_; }
    void setRules(std::vector<KillRule> rules);
    // What the rules kill at the next draw, by control: set from the kept
    // history whenever the rules or the history change (rules_on_panel.h).
    const RuleKillsByControl& ruleKills() const { return ruleKills_; }
    void setRuleKills(const RuleKillsByControl& kills);
    // The conditions as a run reads them: the hand ticks with the rules'
    // kills added.
    FilterInput runInput() const;

signals:
    // A control a run reads, a tolerance box, the groups or the rules changed.
    void changed();
    // The groups changed (changed() follows).
    void groupsChanged();
    // The rules changed (before changed()); their kills are set anew.
    void rulesChanged();

private:
    ConditionPages pages_;
    ResultArea* results_;
    MessageSink& messages_;
    std::vector<ToleranceGroup> groups_;
    mutable QHash<const QWidget*, ItemId> itemOfControl_;  // built when first asked
    std::vector<KillRule> rules_;
    RuleKillsByControl ruleKills_;
};

}  // namespace numsift
