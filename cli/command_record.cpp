// numsift-cli record add --issue N [--multiple M] FILE: keeps the numbers of
// FILE as the play for issue N in the data folder's play record (refused for
// an issue already drawn). numsift-cli record list: every record scored
// against the kept draw history, then the totals, tab-separated. Both read
// the data folder the window uses (NUMSIFT_DATA_DIR when set) and fail when
// the play record was altered.
#include <QCoreApplication>

#include <cstdio>

#include "analysis/play_ledger.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "io/data_folder.h"
#include "io/draw_history_file.h"
#include "io/play_record_file.h"
#include "results/shop_file.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"issue", "N", "add：记录的期号（须在已保存的最后一期开奖之后）"},
    {"multiple", "M", "add：倍数，1–99（默认 1）"},
};
constexpr ArgumentSpec kArguments[] = {
    {"add|list", "add 记录本期的号码；list 列出全部记录、开奖结果和合计"},
    {"FILE", "add：号码文件（- 为标准输入）", true},
};
constexpr const char* kUsage = "record add --issue N [--multiple M] FILE | record list";

std::string usage() { return std::string("用法: numsift-cli ") + kUsage; }

// The data folder's draw history; nothing when it cannot be had, after the
// one error line. A history file that had to be set aside or left alone is
// named on stderr; strict (for add) makes it an error, since issues cannot
// be checked without it.
std::optional<DrawStore> keptHistory(const DataFolder& folder, bool strict) {
    DrawHistoryFile file(drawHistoryPath(folder));
    LoadedHistory loaded = file.load();
    if (!loaded.message.isEmpty()) {
        const std::string message = loaded.message.toStdString();
        if (strict) {
            fail("record", message + "无法核对期号，不予记录");
            return std::nullopt;
        }
        std::fprintf(stderr, "numsift-cli: record: %s\n", message.c_str());
    }
    return std::move(loaded.store);
}

int add(const CommandLine& line, const DataFolder& folder) {
    if (line.arguments().size() != 2) return fail("record", usage());
    if (!line.value("issue")) return fail("record", "add 需要 --issue N；" + usage());
    PlayRecord record;
    record.issue = *line.value("issue");
    if (const std::optional<std::string> value = line.value("multiple")) {
        const std::optional<long> m = parseInteger(*value, kMinMultiple, kMaxMultiple);
        if (!m) return fail("record", "--multiple 应为 1–99 的整数，而不是 \"" + *value + "\"");
        record.multiple = static_cast<int>(*m);
    }
    const std::string& path = line.arguments()[1];
    const std::optional<std::string> text = readInput(path);
    if (!text) return 2;
    record.set = parseNumbers(*text);
    if (record.set.empty()) return fail(path, "文件中没有五位号码");
    record.time = recordTimeNow();

    const std::optional<DrawStore> history = keptHistory(folder, true);
    if (!history) return 2;
    const PlayRecordFile file(playRecordPath(folder));
    const AddedRecord added = file.add(record, *history);
    if (!added.ok) return fail("record", added.error.toStdString());
    std::fprintf(stderr, "已记录第 %s 期（第 %zu 条）：%llu 注 × %d 倍，投入 %llu 元\n", record.issue.c_str(),
                 added.records.size(), static_cast<unsigned long long>(record.bets()), record.multiple,
                 static_cast<unsigned long long>(record.stake()));
    return 0;
}

int list(const CommandLine& line, const DataFolder& folder) {
    if (line.arguments().size() != 1) return fail("record", "list 不带文件；" + usage());
    if (line.value("issue") || line.value("multiple"))
        return fail("record", "--issue、--multiple 只用于 add；" + usage());
    PlayRecordFile file(playRecordPath(folder));
    const LoadedPlayRecord loaded = file.load();
    if (loaded.altered > 0 || (!loaded.message.isEmpty() && loaded.setAsidePath.isEmpty()))
        return fail(file.path().toStdString(), loaded.message.toStdString());
    if (!loaded.message.isEmpty())
        std::fprintf(stderr, "numsift-cli: record: %s\n", loaded.message.toStdString().c_str());
    const std::optional<DrawStore> history = keptHistory(folder, false);
    if (!history) return 2;
    writeOut(ledgerText(loaded.records, scoreLedger(loaded.records, *history), "\n"));
    return 0;
}

int record(const CommandLine& line) {
    const std::string& action = line.arguments()[0];
    if (action != "add" && action != "list") return fail("record", "未知的操作 " + action + "；" + usage());
    // The window's own folder: the application is named as the window names itself.
    QCoreApplication::setApplicationName(QStringLiteral("Numsift"));
    const DataFolder folder = dataFolder();
    if (!folder.ok) return fail("record", folder.error.toStdString());
    return action == "add" ? add(line, folder) : list(line, folder);
}

}  // namespace

constinit const Command kRecordCommand = {
    "record",
    kUsage,
    "投注记录：add 在开奖前记录本期号码（期号、时间、注数、倍数、投入）；list "
    "按已保存的开奖历史给出中奖、奖金和合计",
    kOptions,
    kArguments,
    record,
};

}  // namespace numsift::cli
