#include "ui/shell/panel_rounds.h"

#include <QAction>
#include <QLabel>

#include <algorithm>

#include "controls/entry_box.h"
#include "engine/number_set_store.h"
#include "platform/platform.h"
#include "results/result_copy.h"
#include "ui/conditions/condition_panel.h"
#include "ui/kit/widget_kit.h"
#include "ui/results/result_area.h"
#include "ui/sets/box_text.h"
#include "ui/sets/number_box.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"

namespace numsift {

PanelRounds::PanelRounds(RoundParts parts, MessageSink& messages, QObject* parent)
    : QObject(parent), parts_(parts), messages_(messages) {
    // Right of the result count, which needs a few digits' room: a short
    // line that offers the kept panel back or says why it is not kept.
    note_ = new QLabel(parts_.results);
    note_->setObjectName(QStringLiteral("keptPanelNote"));
    note_->setGeometry(118, 4, 129, 18);
    note_->setTextFormat(Qt::RichText);
    note_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    note_->hide();
    connect(note_, &QLabel::linkActivated, this, [this] { restoreLastPanel(); });
}

PanelRounds::~PanelRounds() = default;

void PanelRounds::showOn(QAction* undo, QAction* restore) {
    undoAction_ = undo;
    restoreAction_ = restore;
    showUndoState();
    restoreAction_->setEnabled(keeper_ && keeper_->previous());
}

KeptPanel PanelRounds::panelState() const {
    KeptPanel p;
    p.scheme = parts_.conditions->scheme();
    p.base = parts_.store->base();
    p.setA = parts_.store->intersection(0);
    p.setB = parts_.store->intersection(1);
    return p;
}

void PanelRounds::applyPanelState(const KeptPanel& panel, PanelParts parts) {
    parts_.conditions->applyScheme(panel.scheme);
    if (parts == PanelParts::Conditions) return;
    NumberSetStore& store = *parts_.store;
    const std::string base = formatNumbers(panel.base.values, kBaseLineWidth);
    if (store.base() != panel.base || ui::engineText(parts_.base->txtBase()->entryText()) != base)
        parts_.base->setBaseText(base);
    if (parts == PanelParts::ConditionsAndBase) return;
    // Filling A or B makes it the current side; the side stays as it was.
    const int side = store.currentSide();
    const NumberSet* sides[2] = {&panel.setA, &panel.setB};
    for (int i = 0; i < 2; ++i) {
        const std::string text = formatNumbers(sides[i]->values, kListLineWidth);
        if (store.intersection(i) != *sides[i] ||
            ui::engineText(parts_.join->txtJoin(i)->entryText()) != text)
            parts_.join->setSideText(i, text);
    }
    store.setCurrentSide(side);
}

bool PanelRounds::resultToBase() {
    const std::vector<std::uint32_t>& values = parts_.results->state().values();
    if (values.empty()) {
        messages_.show(Message{kProductName, kNoResultMessage, MessageIcon::Information, MessageButtons::Ok});
        return false;
    }
    rememberForUndo("结果转为大底", PanelParts::ConditionsAndBase);
    parts_.base->setBaseText(formatNumbers(values, kBaseLineWidth));
    return true;
}

void PanelRounds::rememberForUndo(const char* action, PanelParts parts) {
    const ConditionPanel& conditions = *parts_.conditions;
    undo_.push(PanelUndo::Step{
        ui::qs(action), parts, panelState(), {conditions.toleranceText(0), conditions.toleranceText(1)}});
    showUndoState();
}

bool PanelRounds::undo() {
    if (undo_.empty()) return false;
    const PanelUndo::Step step = undo_.pop();
    applyPanelState(step.panel, step.parts);
    parts_.conditions->setToleranceTexts(step.toleranceTexts[0], step.toleranceTexts[1]);
    showUndoState();
    return true;
}

bool PanelRounds::restoreLastPanel() {
    if (!keeper_ || !keeper_->previous()) return false;
    rememberForUndo("恢复上次的条件", PanelParts::All);
    applyPanelState(*keeper_->previous(), PanelParts::All);
    note_->hide();
    return true;
}

QString PanelRounds::keepPanelIn(const DataFolder& folder) {
    if (keeper_) return {};
    if (!folder.ok)
        return folder.error.isEmpty() ? QString() : folder.error + QStringLiteral("。本次的条件不会保存。");
    // Typing a check has not accepted yet may not load as a scheme.
    auto editing = [this] {
        const QList<EntryBox*> boxes = parts_.window->findChildren<EntryBox*>();
        return std::any_of(boxes.begin(), boxes.end(),
                           [](const EntryBox* b) { return b->hasUncheckedEdit(); });
    };
    keeper_ = new PanelKeeper(
        keptPanelPath(folder), [this] { return panelState(); }, editing, this);
    connect(keeper_, &PanelKeeper::saveProblem, this, [this](const QString& error) {
        note_->setText(QStringLiteral("<span style=\"color:#ff0000\">条件未能自动保存</span>"));
        note_->setToolTip(error);
        note_->setVisible(!error.isEmpty());
    });
    if (keeper_->previous()) {
        if (restoreAction_) restoreAction_->setEnabled(true);
        note_->setText(QStringLiteral("可<a href=\"restore\">恢复上次的条件</a>"));
        note_->setToolTip(
            QStringLiteral("上次关闭时的条件、容错、大底号码和交集功能的A、B号码已保存，单击即可恢复"));
        note_->show();
    }

    // Every control whose state a run reads: the condition panel's, and the
    // boxes of the base set and of the sets A and B.
    connect(parts_.conditions, &ConditionPanel::changed, this, &PanelRounds::panelChanged);
    for (QWidget* page : {static_cast<QWidget*>(parts_.base), static_cast<QWidget*>(parts_.join)})
        ui::watchControls(page, this, [this] { panelChanged(); });
    return keeper_->startMessage();
}

void PanelRounds::flush() {
    if (keeper_) keeper_->flush();
}

void PanelRounds::panelChanged() {
    if (keeper_) keeper_->changed();
}

void PanelRounds::showUndoState() {
    if (!undoAction_) return;
    const QString next = undo_.nextAction();
    undoAction_->setText(next.isEmpty() ? ui::qs("撤销") : ui::qs("撤销 ") + next);
    undoAction_->setEnabled(!next.isEmpty());
}

}  // namespace numsift
