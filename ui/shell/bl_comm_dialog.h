#pragma once
// The common dialog wrapper of the import buttons: a set of properties that
// the caller fills, an action that opens the dialog, and the user's choice
// read back from the same properties. Action 1 opens a file (QFileDialog),
// action 2 saves one; the colour, font, print and help actions of the old
// wrapper are not used by the program and do nothing here.
//
// As a FileDialogs it serves the import flows, so tests can replace it by
// ScriptedFileDialogs, and a chooser can replace the modal dialog itself.

#include <QString>
#include <QStringList>

#include <functional>

#include "platform/platform.h"

class QWidget;

namespace numsift {

// "描述|模式|描述|模式" as Qt writes it: "描述 (模式);;描述 (模式)"; patterns
// separated by ";" become blank-separated. A trailing lone description is
// kept with "*" as its pattern.
QString qtFilterFromPairs(const QString& pairs);

// The extension of the first pair's first pattern ("方案文件|*.json" gives
// "json"); empty for a pattern such as "*" or "*.*".
QString defaultSuffixFromPairs(const QString& pairs);

// The name of a path without its folder.
QString fileTitleOf(const QString& path);

class BLCommDialog : public FileDialogs {
public:
    enum Action { OpenFile = 1, SaveFile = 2 };

    // What the dialog is asked: Qt filter, selected filter, initial path and
    // caption. A chooser returns the chosen path, empty when cancelled.
    struct Request {
        bool save = false;
        QString qtFilter;
        QString selectedFilter;
        QString initialPath;
        QString title;
        QString defaultSuffix;
    };
    using Chooser = std::function<QString(const Request&)>;

    explicit BLCommDialog(QWidget* owner = nullptr);

    QString Filter;
    int FilterIndex = 1;
    QString FileName;
    QString FileTitle;
    QString InitDir;
    QString DefaultExt;
    QString DialogTitle;
    int flags = 0;
    QWidget* Owner = nullptr;

    bool Cancel() const { return cancel_; }

    // Opens the dialog of the action; Cancel is reset first. Other values do
    // nothing.
    void setAction(int action);

    // Replaces the modal QFileDialog (tests, other front ends).
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

    // FileDialogs: the request's filter, name (empty for an open) and
    // caption through Action 1 or 2 (a save also with the filter's extension
    // as DefaultExt); the choice comes back as FileName and FileTitle, and
    // its folder becomes InitDir for the next request.
    FileDialogResult run(const FileDialogRequest& request) override;

private:
    QString runQtDialog(const Request& request) const;

    Chooser chooser_;
    bool cancel_ = false;
};

}  // namespace numsift
