#pragma once
// A read-only, sortable table view whose selection can be copied with the
// copy key as tab-separated lines (CR LF), in the order the rows are shown.

#include <QTableView>

#include <functional>
#include <string>

namespace numsift {

class CopyTableView : public QTableView {
    Q_OBJECT
public:
    explicit CopyTableView(QWidget* parent = nullptr);

    // Where the copied text goes (the window's clipboard and its error
    // message); unset, the view copies nothing.
    void setCopySink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

    // The selected cells as text: one line per row with a selected cell,
    // the selected columns of that row joined by tabs.
    std::string selectionText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(const std::string&)> sink_;
};

}  // namespace numsift
