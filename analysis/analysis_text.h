#pragma once
// Tab-separated texts of a backtest and of a diagnosis, shared by
// numsift-cli and the window's copy buttons. eol is the line break to use
// ("\n" for the terminal, "\r\n" for the clipboard).

#include <string>
#include <string_view>

#include "analysis/backtest.h"
#include "analysis/explain.h"
#include "analysis/omission_stats.h"
#include "analysis/set_stats.h"
#include "analysis/what_if.h"

namespace numsift {

// "12.35%": two decimals.
std::string percentText(double percent);

// A p-value: four decimals ("0.0272"), below 0.001 in powers of ten
// ("3.1e-05").
std::string pValueText(double p);

// What the draw's row shows in the result column: "保留", "淘汰" or
// "不在大底".
std::string drawVerdictText(const DrawOutcome& draw);

// The captions of the draw's failed checks joined by "、".
std::string failedCaptionsText(const BacktestReport& report, const DrawOutcome& draw);

// The names of the sets (groups, 其余条件) whose tolerance the draw's fails
// exceed, joined by "、".
std::string failedSetsText(const BacktestReport& report, const DrawOutcome& draw);

// Header line, then one line per draw: 期号, 号码, 错误数, 结果, 未通过的条件,
// and with grouped tolerance 超出容错的分组.
std::string backtestDrawTable(const BacktestReport& report, std::string_view eol);

// Lines "名称<TAB>值": 验证期数, 保留, 最长连续未中, 结果注数, 容错, with
// grouped tolerance one line per group and the rest ("分组 A", its tolerance
// and the draws it failed), 不在大底.
std::string backtestSummaryText(const BacktestReport& report, std::string_view eol);

// Header line, then one line per column of the run: 步骤, 条件, 标记候选,
// 候选占比, 标记开奖, 开奖占比, 期望, 误杀偏多, p值 (one-sided binomial) and
// 校正p值 (adjusted by Holm over the columns); with grouped tolerance 分组.
std::string backtestColumnTable(const BacktestReport& report, std::string_view eol);

// One-line summary for a status label, e.g. "保留 3/5 期（60.00%），最长连续未中 2 期，结果 1234
// 注（1.23%）".
std::string backtestSummaryLine(const BacktestReport& report);

// The diagnosis: the number, every active check with its verdict (and its
// group), the fail count, with grouped tolerance each group's fails against
// its tolerance, the tolerance, base set and the conclusion.
std::string explainText(const Explanation& e, std::string_view eol);

// Header line, then one line per condition item in flat order: 项目 (key),
// 名称 (caption), 出现次数, 当前遗漏, 最大遗漏, 平均遗漏 (two decimals),
// 最大连出.
std::string omissionTable(const OmissionStats& stats, std::string_view eol);

// The same items for a number set: 项目, 名称, 出现次数 (the numbers that have
// the item), 占比 (their share of the set).
std::string setItemTable(const SetItemCounts& counts, std::string_view eol);

// The what-if tables of a backtest, divided by an empty line. First the
// tolerance bands: 分组 (全部条件 without groups), 容错, 结果注数, 候选占比,
// 保留期数, 保留占比, 当前 ("是" on the run's own tolerance). Then one line per
// column switched off alone: 步骤, 条件, 分组, the same four figures, and what
// switching it off adds: 多出注数, 多保留期数.
std::string whatIfText(const WhatIf& whatIf, const BacktestReport& report, std::string_view eol);

}  // namespace numsift
