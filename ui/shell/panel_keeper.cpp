#include "ui/shell/panel_keeper.h"

#include <QTimer>

namespace numsift {

PanelKeeper::PanelKeeper(QString path, std::function<KeptPanel()> current, std::function<bool()> editing,
                         QObject* parent)
    : QObject(parent),
      file_(std::move(path)),
      current_(std::move(current)),
      editing_(std::move(editing)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("panelKeeperTimer"));
    timer_->setSingleShot(true);
    timer_->setInterval(kWaitMs);
    connect(timer_, &QTimer::timeout, this, &PanelKeeper::saveInBackground);

    const LoadedPanel loaded = file_.load();
    if (loaded.panel && !loaded.panel->empty()) previous_ = loaded.panel;
    startMessage_ = loaded.message;
    written_ = current_();
    lastLoadable_ = written_.scheme;
}

PanelKeeper::~PanelKeeper() {
    if (running_.valid()) running_.wait();
}

void PanelKeeper::changed() { timer_->start(); }

PanelKeeper::Outcome PanelKeeper::save(const KeptPanelFile& file, KeptPanel panel, bool editing,
                                       const Scheme& lastLoadable, const KeptPanel& written) {
    Outcome o;
    // The panel as the file holds it loads again (it was checked before it
    // was written, or stood so at start): nothing to check, nothing to write.
    o.written = !(panel == written);
    // A box still being typed in may hold text it would refuse on leaving;
    // keep the panel as it last stood in a form that loads again. Checked
    // boxes hold their text in the form a scheme loads.
    if (o.written && editing) {
        o.schemeLoads = loadScheme(saveScheme(panel.scheme)).ok;
        if (!o.schemeLoads) panel.scheme = lastLoadable;
        o.written = !(panel == written);
    }
    if (o.written) o.saved = file.save(panel);
    o.panel = std::move(panel);
    return o;
}

void PanelKeeper::saveInBackground() {
    if (running_.valid()) {
        again_ = true;
        return;
    }
    // The thread works on copies; the file object is only read while it runs.
    running_ = std::async(std::launch::async, [this, panel = current_(), editing = editing_(),
                                               lastLoadable = lastLoadable_, written = written_]() mutable {
        Outcome o = save(file_, std::move(panel), editing, lastLoadable, written);
        QMetaObject::invokeMethod(this, &PanelKeeper::collect, Qt::QueuedConnection);
        return o;
    });
}

void PanelKeeper::collect() {
    if (!running_.valid()) return;  // flush() took it in already
    finish(running_.get());
    if (again_) {
        again_ = false;
        saveInBackground();
    }
}

bool PanelKeeper::finish(Outcome o) {
    if (o.schemeLoads) lastLoadable_ = o.panel.scheme;
    if (!o.written) return true;
    if (!o.saved.ok) {
        if (o.saved.error != lastError_) emit saveProblem(o.saved.error);
        lastError_ = o.saved.error;
        return false;
    }
    if (!lastError_.isEmpty()) emit saveProblem({});
    lastError_.clear();
    written_ = std::move(o.panel);
    return true;
}

bool PanelKeeper::flush() {
    timer_->stop();
    again_ = false;
    if (running_.valid()) finish(running_.get());
    return finish(save(file_, current_(), editing_(), lastLoadable_, written_));
}

void PanelUndo::push(Step step) {
    steps_.push_back(std::move(step));
    while (steps_.size() > kMaxSteps) steps_.pop_front();
}

PanelUndo::Step PanelUndo::pop() {
    Step step = std::move(steps_.back());
    steps_.pop_back();
    return step;
}

}  // namespace numsift
