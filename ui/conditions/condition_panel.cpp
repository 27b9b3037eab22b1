#include "ui/conditions/condition_panel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "controls/entry_box.h"
#include "controls/select_button.h"
#include "conditions/run_order.h"
#include "ui/conditions/frame_banker.h"
#include "ui/conditions/frame_class_pattern.h"
#include "ui/conditions/frame_positional_kill.h"
#include "ui/conditions/frame_ratio_ac.h"
#include "ui/conditions/frame_special_shapes.h"
#include "ui/conditions/frame_sum_span.h"
#include "ui/conditions/group_editor.h"
#include "ui/conditions/page_compound.h"
#include "ui/conditions/page_conditions.h"
#include "ui/conditions/page_road.h"
#include "ui/kit/widget_kit.h"
#include "ui/results/result_area.h"

namespace numsift {

ConditionPanel::ConditionPanel(ConditionPages pages, ResultArea* results, MessageSink& messages,
                               QObject* parent)
    : QObject(parent), pages_(pages), results_(results), messages_(messages) {
    // Every control whose state a run reads.
    for (QWidget* page : controlPages()) ui::watchControls(page, this, [this] { emit changed(); });
    for (int i = 0; i < 2; ++i)
        connect(results_->toleranceBox(i), &QLineEdit::textChanged, this, &ConditionPanel::changed);
}

std::vector<QWidget*> ConditionPanel::controlPages() const {
    return {pages_.conditions, pages_.road, pages_.compound, pages_.shapes};
}

EntryBox* ConditionPanel::straightKillBox() const { return pages_.conditions->straightKillBox(); }

QPushButton* ConditionPanel::straightKillImportButton() const { return pages_.conditions->importButton(); }

FilterInput ConditionPanel::filterInput() const {
    FilterInput in;
    pages_.conditions->readInto(in);
    in.roadKill = pages_.road->ticked();
    in.shapeKill = pages_.shapes->ticked();
    pages_.compound->readInto(in);
    return in;
}

void ConditionPanel::setFilterInput(const FilterInput& input) {
    pages_.conditions->applyFrom(input);
    pages_.road->setTicked(input.roadKill);
    pages_.shapes->setTicked(input.shapeKill);
    pages_.compound->applyFrom(input);
}

QString ConditionPanel::toleranceText(int index) const {
    return results_->toleranceBox(index ? 1 : 0)->text();
}

void ConditionPanel::setToleranceTexts(const QString& lower, const QString& upper) {
    results_->toleranceBox(0)->setText(lower.left(2));
    results_->toleranceBox(1)->setText(upper.left(2));
}

void ConditionPanel::setToleranceGroups(std::vector<ToleranceGroup> groups) {
    groups_ = std::move(groups);
    QPushButton* button = results_->groupButton();
    button->setText(groups_.empty() ? ui::qs("分组") : ui::qs("分组%1").arg(groups_.size()));
    QString tip = ui::qs("分组容错：给一些条件设自己的容错");
    for (const ToleranceGroup& g : groups_)
        tip +=
            ui::qs("\n%1：%2-%3").arg(ui::qs(g.name)).arg(int(g.tolerance.lower)).arg(int(g.tolerance.upper));
    button->setToolTip(tip);
    emit groupsChanged();
    emit changed();
}

GroupedTolerance ConditionPanel::grouping() const {
    return GroupedTolerance(
        normaliseTolerance(toleranceText(0).toStdString(), toleranceText(1).toStdString()).tolerance,
        groups_);
}

Scheme ConditionPanel::scheme() const {
    Scheme s;
    s.input = filterInput();
    s.tolerance =
        normaliseTolerance(toleranceText(0).toStdString(), toleranceText(1).toStdString()).tolerance;
    s.groups = groups_;
    s.rules = rules_;
    return s;
}

void ConditionPanel::applyScheme(const Scheme& scheme) {
    setFilterInput(scheme.input);
    setToleranceTexts(QString::number(scheme.tolerance.lower), QString::number(scheme.tolerance.upper));
    setToleranceGroups(scheme.groups);
    setRules(scheme.rules);
}

std::vector<ColumnId> ConditionPanel::columns() const {
    // One candidate is enough: the columns depend on the panel, not on the rows.
    const NumberSet one{{0}};
    const RunResult run = runFilter(filterInput(), one, Tolerance{});
    std::vector<ColumnId> columns;
    for (const CheckColumn& c : run.matrix.columns())
        if (c.id) columns.push_back(*c.id);
    return columns;
}

bool ConditionPanel::editToleranceGroups(QWidget* parent) {
    GroupEditor editor(groups_, columns(), messages_, parent);
    editor.setObjectName(QStringLiteral("groupEditor"));
    if (editor.exec() != QDialog::Accepted) return false;
    setToleranceGroups(editor.groups());
    return true;
}

QAbstractButton* ConditionPanel::itemControl(ItemId item) const {
    if (flatIndex(item) < 0) return nullptr;
    const int i = item.index;
    PageConditions* page = pages_.conditions;
    switch (item.family) {
        case ItemFamily::Position: return page->positionalKill()->box(i / 10, i % 10);
        case ItemFamily::Digit: return page->sumSpan()->box(20 + i);
        case ItemFamily::SumTail: return page->sumSpan()->box(i);
        case ItemFamily::Span: return page->sumSpan()->box(10 + i);
        case ItemFamily::BigSmall: return page->classPattern(0)->box(i);
        case ItemFamily::OddEven: return page->classPattern(1)->box(i);
        case ItemFamily::PrimeComposite: return page->classPattern(2)->box(i);
        case ItemFamily::Road: return pages_.road->box(i);
        case ItemFamily::Shape: return pages_.shapes->box(i);
        case ItemFamily::BigSmallRatio: return page->ratioAc()->button(i);
        case ItemFamily::OddEvenRatio: return page->ratioAc()->button(6 + i);
        case ItemFamily::PrimeCompositeRatio: return page->ratioAc()->button(12 + i);
        case ItemFamily::Ac: return page->ratioAc()->button(18 + i);
        case ItemFamily::Sum:
        case ItemFamily::TwoCode: return nullptr;
    }
    return nullptr;
}

QString ConditionPanel::controlName(const QWidget* control) const {
    if (itemOfControl_.isEmpty())
        for (int flat = 0; flat < kItemCount; ++flat)
            if (const QAbstractButton* b = itemControl(itemAt(flat))) itemOfControl_.insert(b, itemAt(flat));
    if (const auto item = itemOfControl_.constFind(control); item != itemOfControl_.constEnd())
        return ui::qs(itemCaption(*item));
    const QString name = control->objectName();
    const int member = name.section(QLatin1Char('_'), 1).toInt();
    if (name.startsWith(QLatin1String("txtCompose_")) && member >= 0 && member < 8)
        return ui::qs(captions::kCompound[static_cast<std::size_t>(member)]);
    if (name == QLatin1String("txtDan5")) return ui::qs(captions::kStraightKill);
    if (name == QLatin1String("txtHKD")) return ui::qs(captions::kSumValueKill);
    if (name.startsWith(QLatin1String("cmdDan_")))
        return ui::qs(captions::kBanker) + QString::number(member / 10 + 1);
    if (name.startsWith(QLatin1String("cmdDanCount_")))
        return ui::qs(captions::kBanker) + QString::number(member / 6 + 1);
    if (const auto* button = qobject_cast<const QAbstractButton*>(control);
        button && !button->text().isEmpty())
        return button->text();
    return ui::qs("条件");
}

void ConditionPanel::clear() {
    PageConditions* page = pages_.conditions;
    straightKillBox()->clearEntry();
    FrameSumSpan* sums = page->sumSpan();
    for (int i = 0; i < 4; ++i) sums->clearButton(i)->click();
    for (int r = 0; r < 5; ++r) page->positionalKill()->clearButton(r)->click();
    for (int g = 0; g < 10; ++g) page->banker()->clearButton(g)->click();
    for (int r = 0; r < 4; ++r) page->ratioAc()->clearButton(r)->click();
    for (int k = 0; k < 3; ++k) page->classPattern(k)->clearButton()->click();
    pages_.road->clearButton()->click();
    for (int i = 0; i < kShapeCount; ++i) pages_.shapes->box(i)->setChecked(false);
    for (int i = 0; i < 8; ++i) pages_.compound->box(i)->clearEntry();
    setRules({});
}

void ConditionPanel::setRules(std::vector<KillRule> rules) {
    if (rules == rules_) return;
    rules_ = std::move(rules);
    ruleKills_ = {};  // until they are learned for the new rules
    emit rulesChanged();
    emit changed();
}

void ConditionPanel::setRuleKills(const RuleKillsByControl& kills) { ruleKills_ = kills; }

FilterInput ConditionPanel::runInput() const { return withRuleKills(filterInput(), ruleKills_); }

}  // namespace numsift
