#include "analysis/analysis_text.h"

#include <cstdio>

namespace numsift {

namespace {

std::string toleranceText(Tolerance t) { return std::to_string(t.lower) + "-" + std::to_string(t.upper); }

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

}  // namespace

std::string percentText(double percent) { return fixed(percent, 2) + "%"; }

std::string pValueText(double p) {
    if (p >= 0.001 || p == 0.0) return fixed(p, 4);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1e", p);
    return buf;
}

std::string drawVerdictText(const DrawOutcome& draw) {
    if (!draw.inBase) return "不在大底";
    return draw.survives ? "保留" : "淘汰";
}

std::string failedCaptionsText(const BacktestReport& report, const DrawOutcome& draw) {
    std::string s;
    for (std::size_t c : draw.failedColumns) {
        if (!s.empty()) s += "、";
        s += report.columns[c].caption;
    }
    return s;
}

std::string failedSetsText(const BacktestReport& report, const DrawOutcome& draw) {
    const GroupedTolerance grouping = report.summary.grouping();
    std::string s;
    for (std::size_t set : draw.failedSets) {
        if (!s.empty()) s += "、";
        s += setName(grouping, set);
    }
    return s;
}

std::string backtestDrawTable(const BacktestReport& report, std::string_view eol) {
    const bool grouped = !report.summary.groups.empty();
    std::string s = "期号\t号码\t错误数\t结果\t未通过的条件";
    if (grouped) s += "\t超出容错的分组";
    s += eol;
    s.reserve(report.draws.size() * 48);
    for (const DrawOutcome& d : report.draws) {
        s += d.label;
        s += '\t';
        s += numberText(d.value);
        s += '\t';
        s += std::to_string(d.failCount);
        s += '\t';
        s += drawVerdictText(d);
        s += '\t';
        s += failedCaptionsText(report, d);
        if (grouped) {
            s += '\t';
            s += failedSetsText(report, d);
        }
        s += eol;
    }
    return s;
}

std::string backtestSummaryText(const BacktestReport& report, std::string_view eol) {
    const BacktestSummary& m = report.summary;
    std::string s;
    auto line = [&](std::string_view name, const std::string& value) {
        s += name;
        s += '\t';
        s += value;
        s += eol;
    };
    line("验证期数", std::to_string(m.drawCount));
    line("保留", std::to_string(m.survived) + "（" + percentText(m.survivedPercent) + "）");
    line("最长连续未中", std::to_string(m.longestMissRun));
    line("结果注数", std::to_string(m.resultSize) + "（" + percentText(100.0 * m.resultShare) + "）");
    line("容错", toleranceText(m.tolerance));
    if (!m.groups.empty()) {
        const GroupedTolerance grouping = m.grouping();
        for (std::size_t set = 0; set < grouping.setCount(); ++set)
            line("分组 " + setName(grouping, set), "容错 " + toleranceText(grouping.toleranceOf(set)) +
                                                       "，超出 " + std::to_string(m.setFailedDraws[set]) +
                                                       " 期");
    }
    if (m.outsideBase > 0) line("不在大底", std::to_string(m.outsideBase));
    return s;
}

std::string backtestColumnTable(const BacktestReport& report, std::string_view eol) {
    const bool grouped = !report.summary.groups.empty();
    const GroupedTolerance grouping = report.summary.grouping();
    std::string s = "步骤\t条件\t标记候选\t候选占比\t标记开奖\t开奖占比\t期望\t误杀偏多\tp值\t校正p值";
    if (grouped) s += "\t分组";
    s += eol;
    for (const ColumnOutcome& c : report.columns) {
        s += std::to_string(c.step) + '\t' + c.caption + '\t' + std::to_string(c.candidatesMarked) + '\t' +
             percentText(100.0 * c.candidateShare) + '\t' + std::to_string(c.drawsMarked) + '\t' +
             percentText(100.0 * c.drawShare) + '\t' + fixed(c.expectedDraws, 1) + '\t' +
             (c.overKills ? "是" : "") + '\t' + pValueText(c.tailProbability) + '\t' +
             pValueText(c.adjustedProbability);
        if (grouped) s += '\t' + setName(grouping, c.set);
        s += eol;
    }
    return s;
}

std::string backtestSummaryLine(const BacktestReport& report) {
    const BacktestSummary& m = report.summary;
    std::string s = "保留 " + std::to_string(m.survived) + "/" + std::to_string(m.drawCount) + " 期（" +
                    percentText(m.survivedPercent) + "），最长连续未中 " + std::to_string(m.longestMissRun) +
                    " 期，结果 " + std::to_string(m.resultSize) + " 注（" +
                    percentText(100.0 * m.resultShare) + "）";
    if (m.outsideBase > 0) s += "，" + std::to_string(m.outsideBase) + " 期不在大底";
    return s;
}

std::string explainText(const Explanation& e, std::string_view eol) {
    const bool grouped = !e.groups.empty();
    std::string s = "号码\t" + numberText(e.value);
    s += eol;
    if (e.checks.empty()) {
        s += "条件\t没有生效的条件";
        s += eol;
    } else {
        s += grouped ? "步骤\t条件\t结果\t分组" : "步骤\t条件\t结果";
        s += eol;
        for (const CheckVerdict& c : e.checks) {
            s += std::to_string(c.step) + '\t' + c.caption + '\t' + (c.failed ? "未通过" : "通过");
            if (grouped && c.set < e.groups.size()) s += '\t' + e.groups[c.set].name;
            s += eol;
        }
    }
    s += "错误数\t" + std::to_string(e.failCount) + "（共 " + std::to_string(e.checks.size()) + " 项条件）";
    s += eol;
    for (const SetVerdict& g : e.groups) {
        s += "分组\t" + g.name + "\t错误数 " + std::to_string(g.failCount) + "\t容错 " +
             toleranceText(g.tolerance) + '\t' + (g.withinTolerance ? "在容错内" : "超出容错");
        s += eol;
    }
    s += "容错\t" + (grouped ? std::string("分组容错") : toleranceText(e.tolerance)) + '\t' +
         (e.withinTolerance ? "在容错内" : "超出容错");
    s += eol;
    s += "大底\t";
    s += !e.baseUsed ? "未载入" : (e.inBase ? "在大底中" : "不在大底中");
    s += eol;
    s += "结论\t";
    s += e.survives ? "保留" : "淘汰";
    s += eol;
    return s;
}

std::string whatIfText(const WhatIf& whatIf, const BacktestReport& report, std::string_view eol) {
    const GroupedTolerance grouping = report.summary.grouping();
    auto name = [&](std::size_t set) {
        return grouping.groups.empty() ? std::string("全部条件") : setName(grouping, set);
    };
    auto figures = [](const WhatIfFigures& f) {
        return std::to_string(f.resultSize) + '\t' + percentText(100.0 * f.resultShare) + '\t' +
               std::to_string(f.drawsKept) + '\t' + percentText(100.0 * f.drawShare);
    };
    std::string s = "分组\t容错\t结果注数\t候选占比\t保留期数\t保留占比\t当前";
    s += eol;
    for (const ToleranceBand& b : whatIf.bands) {
        s += name(b.set) + '\t' + toleranceText(b.tolerance) + '\t' + figures(b.figures) + '\t' +
             (b.current ? "是" : "");
        s += eol;
    }
    s += eol;
    s += "步骤\t条件\t分组\t结果注数\t候选占比\t保留期数\t保留占比\t多出注数\t多保留期数";
    s += eol;
    for (const ConditionOff& c : whatIf.conditions) {
        const ColumnOutcome& column = report.columns[c.column];
        const auto more = [](std::size_t now, std::size_t before) {
            return std::to_string(static_cast<long long>(now) - static_cast<long long>(before));
        };
        s += std::to_string(column.step) + '\t' + column.caption + '\t' + name(column.set) + '\t' +
             figures(c.figures) + '\t' + more(c.figures.resultSize, whatIf.current.resultSize) + '\t' +
             more(c.figures.drawsKept, whatIf.current.drawsKept);
        s += eol;
    }
    return s;
}

std::string omissionTable(const OmissionStats& stats, std::string_view eol) {
    std::string s = "项目\t名称\t出现次数\t当前遗漏\t最大遗漏\t平均遗漏\t最大连出";
    s += eol;
    s.reserve(kItemCount * 48);
    for (int flat = 0; flat < kItemCount; ++flat) {
        const ItemId item = itemAt(flat);
        const ItemFigures& f = stats[item];
        s += itemKey(item) + '\t' + itemCaption(item) + '\t' + std::to_string(f.hits) + '\t' +
             std::to_string(f.currentOmission) + '\t' + std::to_string(f.longestOmission) + '\t' +
             hundredthsText(f.averageOmissionHundredths) + '\t' + std::to_string(f.longestStreak);
        s += eol;
    }
    return s;
}

std::string setItemTable(const SetItemCounts& counts, std::string_view eol) {
    std::string s = "项目\t名称\t出现次数\t占比";
    s += eol;
    s.reserve(kItemCount * 40);
    for (int flat = 0; flat < kItemCount; ++flat) {
        const ItemId item = itemAt(flat);
        s += itemKey(item) + '\t' + itemCaption(item) + '\t' + std::to_string(counts[item]) + '\t' +
             percentText(100.0 * counts.share(item));
        s += eol;
    }
    return s;
}

}  // namespace numsift
