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
#include "ui/shell/panel_history.h"

namespace numsift {

PanelRounds::PanelRounds(RoundParts parts, MessageSink& messages, QObject* parent)
    : QObject(parent), parts_(parts), messages_(messages), history_(new PanelHistory(this)) {
    // Right of the result count, which needs a few digits' room: a short
    // line that offers the kept panel back or says that it is not kept.
    note_ = new QLabel(parts_.results);
    note_->setObjectName(QStringLiteral("keptPanelNote"));
    note_->setGeometry(118, 4, 129, 18);
    note_->setTextFormat(Qt::RichText);
    note_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    note_->hide();
    connect(note_, &QLabel::linkActivated, this, [this] {
        if (noteReason_.isEmpty())
            restoreLastPanel();
        else
            messages_.show(Message{kProductName, noteReason_.toStdString(), MessageIcon::Exclamation,
                                   MessageButtons::Ok});
    });
    watchPanel();
}

PanelRounds::~PanelRounds() = default;

void PanelRounds::watchPanel() {
    ConditionPanel* conditions = parts_.conditions;
    const auto name = [conditions](const QWidget* control) { return conditions->controlName(control); };
    for (QWidget* page : conditions->controlPages()) history_->watch(page, name);
    for (int i = 0; i < 2; ++i) history_->watchLine(parts_.results->toleranceBox(i), ui::qs("容错级别"));
    const auto groupsChanged = history_->watchValue(
        ui::qs("分组容错"), [conditions] { return PanelHistory::Value(conditions->toleranceGroups()); },
        [conditions](const PanelHistory::Value& v) {
            conditions->setToleranceGroups(std::get<std::vector<ToleranceGroup>>(v));
        });
    connect(conditions, &ConditionPanel::groupsChanged, this, groupsChanged);
    const auto rulesChanged = history_->watchValue(
        ui::qs("规则杀号"), [conditions] { return PanelHistory::Value(conditions->rules()); },
        [conditions](const PanelHistory::Value& v) {
            conditions->setRules(std::get<std::vector<KillRule>>(v));
        });
    connect(conditions, &ConditionPanel::rulesChanged, this, rulesChanged);
    // The number sets follow their boxes: a text put back is parsed again.
    history_->watchNumberBox(parts_.base->txtBase(), ui::qs("大底号码"),
                             [this](const QString& text) { parts_.base->setBaseText(ui::engineText(text)); });
    for (int i = 0; i < 2; ++i)
        history_->watchNumberBox(parts_.join->txtJoin(i), ui::qs(i ? "交集B" : "交集A"),
                                 [this, i](const QString& text) {
                                     const int side = parts_.store->currentSide();
                                     parts_.join->setSideText(i, ui::engineText(text));
                                     parts_.store->setCurrentSide(side);
                                 });
}

void PanelRounds::showOn(QAction* undo, QAction* redo, QAction* restore, QAction* restoreEarlier) {
    history_->showOn(undo, redo);
    restoreAction_ = restore;
    restoreEarlierAction_ = restoreEarlier;
    connect(undo, &QAction::triggered, this, [this] { this->undo(); });
    connect(redo, &QAction::triggered, this, [this] { this->redo(); });
    connect(restore, &QAction::triggered, this, [this] { restoreLastPanel(); });
    connect(restoreEarlier, &QAction::triggered, this, [this] { restoreEarlierPanel(); });
    restoreAction_->setEnabled(keeper_ && keeper_->previous());
    restoreEarlierAction_->setEnabled(keeper_ && keeper_->earlier());
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
    history_->beginStep(ui::qs("结果转为大底"));
    parts_.base->setBaseText(formatNumbers(values, kBaseLineWidth));
    history_->endStep();
    return true;
}

bool PanelRounds::undo() {
    // Typing in the box being edited is the last change: its check first.
    if (!checkFocusedEntry(parts_.window)) return false;
    return history_->undo();
}

bool PanelRounds::redo() {
    if (!checkFocusedEntry(parts_.window)) return false;
    return history_->redo();
}

bool PanelRounds::restoreLastPanel() {
    if (!keeper_ || !keeper_->previous()) return false;
    history_->beginStep(ui::qs("恢复上次的条件"));
    applyPanelState(*keeper_->previous(), PanelParts::All);
    history_->endStep();
    keeper_->previousRestored();
    note_->hide();
    return true;
}

bool PanelRounds::restoreEarlierPanel() {
    if (!keeper_ || !keeper_->earlier()) return false;
    history_->beginStep(ui::qs("恢复更早的条件"));
    applyPanelState(*keeper_->earlier(), PanelParts::All);
    history_->endStep();
    return true;
}

void PanelRounds::showNote(const QString& text, const QString& reason) {
    noteReason_ = reason;
    note_->setText(text);
    note_->setToolTip(reason);
    note_->setVisible(!text.isEmpty());
}

QString PanelRounds::keepPanelIn(const DataFolder& folder) {
    if (keeper_ || lock_) return {};
    if (!folder.ok)
        return folder.error.isEmpty() ? QString() : folder.error + QStringLiteral("。本次的条件不会保存。");
    // Two windows saving the panel in turn would each undo the other's.
    lock_ = std::make_unique<KeptPanelLock>(keptPanelPath(folder));
    if (!lock_->take()) {
        showNote(QStringLiteral("<a href=\"why\" style=\"color:#ff0000\">条件不自动保存</a>"),
                 lock_->message());
        return lock_->message();
    }
    // Typing a check has not accepted yet may not load as a scheme.
    auto editing = [this] {
        const QList<EntryBox*> boxes = parts_.window->findChildren<EntryBox*>();
        return std::any_of(boxes.begin(), boxes.end(),
                           [](const EntryBox* b) { return b->hasUncheckedEdit(); });
    };
    keeper_ = new PanelKeeper(
        keptPanelPath(folder), [this] { return panelState(); }, editing, this);
    connect(keeper_, &PanelKeeper::saveProblem, this, [this](const QString& error) {
        // The reason stays a click away: a box popping up while the player
        // works could take his next click.
        showNote(error.isEmpty()
                     ? QString()
                     : QStringLiteral("<a href=\"why\" style=\"color:#ff0000\">条件未能保存（原因）</a>"),
                 error);
    });
    if (keeper_->previous()) {
        if (restoreAction_) restoreAction_->setEnabled(true);
        showNote(QStringLiteral("可<a href=\"restore\">恢复上次的条件</a>"), {});
        note_->setToolTip(
            QStringLiteral("上次关闭时的条件、容错、大底号码和交集功能的A、B号码已保存，单击即可恢复"));
    }
    if (restoreEarlierAction_) restoreEarlierAction_->setEnabled(keeper_->earlier().has_value());

    // Every control whose state a run reads: the condition panel's, and the
    // boxes of the base set and of the sets A and B.
    connect(parts_.conditions, &ConditionPanel::changed, this, &PanelRounds::panelChanged);
    for (QWidget* page : {static_cast<QWidget*>(parts_.base), static_cast<QWidget*>(parts_.join)})
        ui::watchControls(page, this, [this] { panelChanged(); });
    return keeper_->startMessage();
}

bool PanelRounds::flush() { return !keeper_ || keeper_->flush(); }

void PanelRounds::close() {
    if (!flush())
        messages_.show(
            Message{kProductName, noteReason_.toStdString(), MessageIcon::Exclamation, MessageButtons::Ok});
    // Nothing is saved after this: the next window may take the panel.
    delete keeper_;
    keeper_ = nullptr;
    if (lock_) lock_->release();
}

void PanelRounds::panelChanged() {
    if (keeper_) keeper_->changed();
}

}  // namespace numsift
