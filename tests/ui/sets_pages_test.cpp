// The base page, the combination page and the kill list, driven through their
// widgets with injected messages, clipboard and dialogs.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QVBoxLayout>

#include "conditions/hint_texts.h"
#include "controls/entry_box.h"
#include "engine/candidate_table.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/sets/number_box.h"
#include "ui/sets/number_box_binding.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"

using namespace numsift;

namespace {

const char* kFormatMessage =
    "选择的文件无内容，或不符合导入格式要求！\r\n\r\n导入的文件内容格式为 0000 1111 78901，\r\n"
    "号码之间可以是空格，逗号，分号，竖线或回车。";

// A top-level window holding one page and a line edit that takes the focus
// away from the page's boxes.
struct Host {
    QWidget window;
    QLineEdit* elsewhere;
    NumberSetStore store;
    RecordingMessages messages;
    MemoryClipboard clipboard;
    ScriptedFileDialogs dialogs;

    Host() {
        elsewhere = new QLineEdit(&window);
        elsewhere->setObjectName("elsewhere");
    }
    SetServices services() { return SetServices{&messages, &clipboard, &dialogs, textFileReader()}; }
    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
    }
    void choose(const QString& path) {
        dialogs.results.push_back(
            FileDialogResult{false, path.toStdString(), QFileInfo(path).fileName().toStdString()});
    }
    void leave() { elsewhere->setFocus(Qt::TabFocusReason); }
};

void focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    QVERIFY(w->hasFocus());
}

// Pastes text at the box's selection as Ctrl+V does.
void pasteKeys(QWidget* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void selectRange(QPlainTextEdit* box, int start, int end) {
    QTextCursor c = box->textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(bytes);
    return path;
}

QByteArray utf16le(const QString& s) {
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : s) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

QString allNumbersText() {
    QString s;
    s.reserve(700000);
    for (int v = 99999; v >= 0; --v) {
        s += QString::asprintf("%05d", v);
        s += (v % 7 == 0) ? QLatin1String("\n") : QLatin1String(",");
    }
    return s;
}

}  // namespace

class SetsPagesTest : public QObject {
    Q_OBJECT
private slots:
    void basePasteReplacesSelectionAndCounts();
    void basePasteAfterLastNumberKeepsBoth();
    void basePasteOnlyWhileFocused();
    void baseLeavingReparsesAndDoubleClickKeepsText();
    void baseClearThenRunUsesAllNumbers();
    void baseImportEncodings_data();
    void baseImportEncodings();
    void baseImportEmptyFile();
    void baseImportUnreadableKeepsEverything_data();
    void baseImportUnreadableKeepsEverything();
    void baseImportAllNumbers();
    void killListPasteTypeAndImport();
    void joinOperations();
    void joinDisjointAndMissingSets();
    void joinImportBAndResultBox();
    void joinCopy();
    void closingTheWindowRemovesPasteInterception();
};

void SetsPagesTest::basePasteReplacesSelectionAndCounts() {
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.show();
    NumberBox* box = page->txtBase();
    box->setPlainText("00001 00002 00003");
    focus(box);
    QVERIFY(page->binding()->pasteIntercepted());
    selectRange(box, 6, 11);  // "00002"
    pasteKeys(box, "55555，44444\n00001");
    QCOMPARE(box->toPlainText(), QString("00001 00003 44444 55555"));
    QCOMPARE(page->lblBase()->text(), QString("4"));
    QCOMPARE(h.store.baseCount(), 4u);
}

void SetsPagesTest::basePasteAfterLastNumberKeepsBoth() {
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.show();
    NumberBox* box = page->txtBase();
    focus(box);
    pasteKeys(box, "00011 00010 00009 00008 00007 00006 00005 00004 00003 00002");
    QCOMPARE(page->lblBase()->text(), QString("10"));
    box->moveCursor(QTextCursor::End);
    pasteKeys(box, "12345");
    QCOMPARE(box->toPlainText(),
             QString("00002 00003 00004 00005 00006 00007 00008 00009 00010 00011 \n12345"));
    QCOMPARE(page->lblBase()->text(), QString("11"));
}

void SetsPagesTest::basePasteOnlyWhileFocused() {
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.show();
    NumberBox* box = page->txtBase();
    focus(box);
    // A context menu taking the focus keeps its paste intercepted.
    QFocusEvent popupOut(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(box, &popupOut);
    QVERIFY(page->binding()->pasteIntercepted());
    QGuiApplication::clipboard()->setText("54321 12345");
    box->paste();
    QCOMPARE(box->toPlainText(), QString("12345 54321"));
    h.leave();
    QVERIFY(!page->binding()->pasteIntercepted());
    box->clear();
    // Without the focus the box inserts as any text box would.
    QGuiApplication::clipboard()->setText("1,2");
    box->paste();
    QCOMPARE(box->toPlainText(), QString("1,2"));
    QCOMPARE(h.store.baseCount(), 2u);  // still the set of the last re-parse
    QCOMPARE(page->lblBase()->text(), QString("2"));
}

void SetsPagesTest::baseLeavingReparsesAndDoubleClickKeepsText() {
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.show();
    NumberBox* box = page->txtBase();
    focus(box);
    QTest::keyClicks(box, "99999 1234 12345;12345");
    QCOMPARE(page->lblBase()->text(), QString("0"));  // typing alone does not count
    h.leave();
    QCOMPARE(box->toPlainText(), QString("12345 99999"));
    QCOMPARE(page->lblBase()->text(), QString("2"));
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
    QCOMPARE(h.store.baseCount(), 2u);
    QVERIFY(box->toPlainText().contains("12345"));
    // Leaving an emptied box empties the set and shows 0.
    box->clear();
    focus(box);
    h.leave();
    QCOMPARE(page->lblBase()->text(), QString("0"));
    QCOMPARE(h.store.baseCount(), 0u);
}

void SetsPagesTest::baseClearThenRunUsesAllNumbers() {
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.show();
    page->setBaseText("12345 54321");
    QCOMPARE(CandidateTable::build(h.store.base()).size(), 2u);
    QTest::mouseClick(page->cmdBase(0), Qt::LeftButton);
    QCOMPARE(page->txtBase()->toPlainText(), QString());
    QCOMPARE(page->lblBase()->text(), QString("0"));
    QCOMPARE(CandidateTable::build(h.store.base()).size(), 100000u);
}

void SetsPagesTest::baseImportEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QString::fromUtf8("54321，12345；00001、99999\r\n12345|00001 77777");
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QTest::newRow("utf-16le bom") << utf16le(text);
    // GBK: "，" A3AC, "；" A3BB, "、" A1A2, plus a caption "号码" BAC5 C2EB.
    QTest::newRow("gbk") << QByteArray(
        "\xBA\xC5\xC2\xEB 54321\xA3\xAC"
        "12345\xA3\xBB"
        "00001\xA1\xA2"
        "99999\r\n"
        "12345|00001 77777");
}

void SetsPagesTest::baseImportEncodings() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.choose(writeFile(dir, "base.txt", bytes));
    QTest::mouseClick(page->cmdBase(1), Qt::LeftButton);
    QCOMPARE(page->txtBase()->toPlainText(), QString("00001 12345 54321 77777 99999"));
    QCOMPARE(page->lblBase()->text(), QString("5"));
    QVERIFY(h.messages.shown.empty());
    QCOMPARE(h.dialogs.requests.size(), size_t(1));
    QCOMPARE(QString::fromStdString(h.dialogs.requests[0].filter), QString("文本文件|*.txt"));
}

void SetsPagesTest::baseImportEmptyFile() {
    QTemporaryDir dir;
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    page->setBaseText("12345");
    h.choose(writeFile(dir, "empty.txt", QByteArray()));
    QTest::mouseClick(page->cmdBase(1), Qt::LeftButton);
    QCOMPARE(page->txtBase()->toPlainText(), QString());
    QCOMPARE(page->lblBase()->text(), QString("0"));
    QCOMPARE(h.store.baseCount(), 0u);
    QCOMPARE(h.messages.shown.size(), size_t(1));
    QCOMPARE(h.messages.shown[0],
             (Message{"导入提示", kFormatMessage, MessageIcon::Exclamation, MessageButtons::Ok}));
    // A cancelled dialog afterwards changes nothing and shows nothing.
    page->setBaseText("12345");
    QTest::mouseClick(page->cmdBase(1), Qt::LeftButton);
    QCOMPARE(page->lblBase()->text(), QString("1"));
    QCOMPARE(h.messages.shown.size(), size_t(1));
}

void SetsPagesTest::baseImportUnreadableKeepsEverything_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("100 MB") << "big";
}

void SetsPagesTest::baseImportUnreadableKeepsEverything() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path = dir.filePath("missing.txt");
    if (kind == "directory") {
        path = dir.filePath("folder.txt");
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "big") {
        path = dir.filePath("big.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("12345 ");
        QVERIFY(f.resize(100ll * 1024 * 1024));  // sparse
    }
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    page->setBaseText("00001 00002 00003");
    h.choose(path);
    QTest::mouseClick(page->cmdBase(1), Qt::LeftButton);
    QCOMPARE(page->txtBase()->toPlainText(), QString("00001 00002 00003"));
    QCOMPARE(page->lblBase()->text(), QString("3"));
    QCOMPARE(h.store.baseCount(), 3u);
    QCOMPARE(h.messages.shown.size(), size_t(1));
    const Message& m = h.messages.shown[0];
    QCOMPARE(QString::fromStdString(m.title), QString("导入提示"));
    QCOMPARE(m.icon, MessageIcon::Exclamation);
    QVERIFY2(QString::fromStdString(m.text).contains(path), m.text.c_str());
    QVERIFY(QString::fromStdString(m.text).contains("保持不变"));
}

void SetsPagesTest::baseImportAllNumbers() {
    QTemporaryDir dir;
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.choose(writeFile(dir, "all.txt", allNumbersText().toUtf8()));
    page->importBase();
    QCOMPARE(page->lblBase()->text(), QString("100000"));
    const QString text = page->txtBase()->toPlainText();
    QCOMPARE(text.size(), 100000 * 6 - 1 + 9999);  // ten a line, LF breaks
    QVERIFY(text.startsWith("00000 00001"));
    QVERIFY(text.endsWith("99998 99999"));
}

void SetsPagesTest::killListPasteTypeAndImport() {
    Host h;
    auto* box = new EntryBox(&h.window);
    box->setObjectName("txtDan5");
    auto* import = new QPushButton("导入", &h.window);
    auto* binding = new KillListBinding(box, import, &h.store, h.services());
    box->setHint(QString::fromStdString(hints::kStraightKill));
    h.show();
    QVERIFY(box->showingHint());

    focus(box);
    QVERIFY(!box->showingHint());
    pasteKeys(box, "12345,54321");
    QCOMPARE(box->toPlainText(), QString("12345 54321"));
    QCOMPARE(h.store.baseCount(), 0u);

    box->clear();
    QTest::keyClicks(box, "1234");
    h.leave();
    QVERIFY(box->showingHint());
    QCOMPARE(box->entryText(), QString());

    QTemporaryDir dir;
    h.choose(writeFile(dir, "kill.txt",
                       "00006\xA3\xAC"
                       "00005 00004 00003 00002 00001"));
    QTest::mouseClick(import, Qt::LeftButton);
    QCOMPARE(box->toPlainText(), QString("00001 00002 00003 00004 00005 \n00006"));
    QCOMPARE(h.store.baseCount(), 0u);

    h.choose(writeFile(dir, "none.txt", "0000 1111"));
    binding->importKillList();
    QVERIFY(box->showingHint());
    QCOMPARE(h.messages.shown.size(), size_t(1));
    QCOMPARE(QString::fromStdString(h.messages.shown[0].text), QString::fromUtf8(kFormatMessage));
}

void SetsPagesTest::joinOperations() {
    Host h;
    auto* page = new PageJoin(&h.store, h.services(), &h.window);
    h.show();
    focus(page->txtJoin(0));
    pasteKeys(page->txtJoin(0), "12345 00001");
    QCOMPARE(page->lblJoin(0)->text(), QString("2"));
    focus(page->txtJoin(1));
    QTest::keyClicks(page->txtJoin(1), "99999,12345");
    struct Case {
        int button;
        QString text;
        QString count;
    } cases[] = {{3, "12345", "1"}, {4, "00001 12345 99999", "3"}, {5, "00001", "1"}, {6, "99999", "1"}};
    for (const Case& c : cases) {
        h.messages.shown.clear();
        QTest::mouseClick(page->cmdJoin(c.button), Qt::LeftButton);  // leaving B re-parses it first
        QCOMPARE(page->lblJoin(1)->text(), QString("2"));
        QCOMPARE(page->txtJoin(2)->toPlainText(), c.text);
        QCOMPARE(page->lblJoin(2)->text(), c.count);
        QCOMPARE(h.messages.shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(h.messages.shown[0].text), "交集运算完成！最后结果注数 " + c.count);
    }
}

void SetsPagesTest::joinDisjointAndMissingSets() {
    Host h;
    auto* page = new PageJoin(&h.store, h.services(), &h.window);
    h.show();
    page->cmdJoinClick(3);
    QCOMPARE(h.messages.shown.size(), size_t(1));
    QCOMPARE(QString::fromStdString(h.messages.shown[0].text), QString("请粘贴或导入大底A号码！"));
    QVERIFY(page->txtJoin(0)->hasFocus());

    focus(page->txtJoin(0));
    pasteKeys(page->txtJoin(0), "00001 00002");
    page->cmdJoinClick(3);
    QCOMPARE(QString::fromStdString(h.messages.shown.back().text), QString("请粘贴或导入大底B号码！"));
    QVERIFY(page->txtJoin(1)->hasFocus());

    pasteKeys(page->txtJoin(1), "00003");
    page->txtJoin(2)->setPlainText("00009");
    page->lblJoin(2)->setText("1");
    page->cmdJoinClick(3);
    QCOMPARE(page->txtJoin(2)->toPlainText(), QString());
    QCOMPARE(page->lblJoin(2)->text(), QString("0"));
    QCOMPARE(h.messages.shown.back(), (Message{"Numsift", "很遗憾！交集运算后结果为0注。 ",
                                               MessageIcon::Exclamation, MessageButtons::Ok}));
}

void SetsPagesTest::joinImportBAndResultBox() {
    QTemporaryDir dir;
    Host h;
    auto* page = new PageJoin(&h.store, h.services(), &h.window);
    h.show();
    focus(page->txtJoin(0));
    pasteKeys(page->txtJoin(0), "00001 00002 00003 00004 00005 00006 00007");
    h.leave();
    h.choose(writeFile(dir, "b.txt", "00002 00004 00006 00008 00010 00012 00014"));
    QTest::mouseClick(page->cmdJoin(8), Qt::LeftButton);
    QCOMPARE(page->lblJoin(1)->text(), QString("7"));
    QCOMPARE(page->lblJoin(0)->text(), QString("7"));
    QCOMPARE(h.store.currentSide(), 1);
    QCOMPARE(page->txtJoin(1)->toPlainText(), QString("00002 00004 00006 00008 00010 \n00012 00014"));

    page->cmdJoinClick(4);
    QCOMPARE(page->lblJoin(2)->text(), QString("11"));
    // Leaving the result box lays it out again without touching A or B.
    QTextCursor c = page->txtJoin(2)->textCursor();
    c.movePosition(QTextCursor::End);
    page->txtJoin(2)->setTextCursor(c);
    focus(page->txtJoin(2));
    QTest::keyClicks(page->txtJoin(2), " 00000 00001");
    QCOMPARE(h.store.currentSide(), 1);
    h.leave();
    QCOMPARE(page->txtJoin(2)->toPlainText(),
             QString("00000 00001 00002 00003 00004 \n00005 00006 00007 00008 00010 \n00012 00014"));
    QCOMPARE(page->lblJoin(2)->text(), QString("12"));
    QCOMPARE(h.store.intersectionCount(0), 7u);
    QCOMPARE(h.store.intersectionCount(1), 7u);

    // Clearing B empties box, count and set; A stays.
    QTest::mouseClick(page->cmdJoin(1), Qt::LeftButton);
    QCOMPARE(page->txtJoin(1)->toPlainText(), QString());
    QCOMPARE(page->lblJoin(1)->text(), QString("0"));
    QCOMPARE(h.store.intersectionCount(1), 0u);
    QCOMPARE(h.store.intersectionCount(0), 7u);
}

void SetsPagesTest::joinCopy() {
    Host h;
    auto* page = new PageJoin(&h.store, h.services(), &h.window);
    QTest::mouseClick(page->cmdJoin(2), Qt::LeftButton);
    QCOMPARE(h.clipboard.writes, 0);
    QCOMPARE(QString::fromStdString(h.messages.shown.back().text),
             QString("最终注数为 0，请先进行交集合并！"));
    page->txtJoin(2)->setPlainText("00001 00002 00003 00004 00005 \n00006");
    QTest::mouseClick(page->cmdJoin(2), Qt::LeftButton);
    QCOMPARE(h.clipboard.content, std::string("00001 00002 00003 00004 00005 \r\n00006"));
    QCOMPARE(h.messages.shown.back(),
             (Message{"Numsift", "号码已复制。", MessageIcon::Information, MessageButtons::Ok}));
}

void SetsPagesTest::closingTheWindowRemovesPasteInterception() {
    Host h;
    auto* page = new PageBase(&h.store, h.services(), &h.window);
    h.show();
    focus(page->txtBase());
    QVERIFY(page->binding()->pasteIntercepted());
    h.window.close();
    QVERIFY(!page->binding()->pasteIntercepted());
}

QTEST_MAIN(SetsPagesTest)
#include "sets_pages_test.moc"
