// The load list and the module plan for the page: its panel writes texts into
// this file's own request buffer, calls one function and reads texts back.
// Both forms are a 32-bit little-endian count, then each text as a 32-bit
// length and its UTF-8 bytes.
#include "design/load_texts.h"
#include "loads/list_link.h"
#include "loads/load_list.h"
#include "loads/module_plan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace loads = vorlaine::loads;
namespace words = vorlaine::design::loads;

std::string request;
std::string answer;

std::uint32_t u32_at(std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;)
        v = (v << 8) | static_cast<unsigned char>(request[at + i]);
    return v;
}

// The request's texts; nothing read past a cut-short request.
std::vector<std::string> request_texts() {
    std::vector<std::string> texts;
    if (request.size() < 4)
        return texts;
    std::size_t at = 4;
    for (std::uint32_t n = u32_at(0); n > 0 && request.size() - at >= 4; --n) {
        const std::uint32_t length = u32_at(at);
        if (request.size() - at - 4 < length)
            break;
        texts.emplace_back(request, at + 4, length);
        at += 4 + length;
    }
    return texts;
}

void put_u32(std::size_t value) {
    for (int i = 0; i < 4; ++i)
        answer.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

void reply(const std::vector<std::string>& texts) {
    answer.clear();
    put_u32(texts.size());
    for (const std::string& text : texts) {
        put_u32(text.size());
        answer.append(text);
    }
}

std::vector<loads::LoadRow> rows_of(const std::vector<std::string>& cells) {
    std::vector<loads::LoadRow> rows;
    for (std::size_t i = 0; i + 4 <= cells.size(); i += 4)
        rows.push_back({cells[i], cells[i + 1], cells[i + 2], cells[i + 3]});
    return rows;
}

template <typename Texts> void append(std::vector<std::string>& out, const Texts& texts) {
    for (const auto& t : texts)
        out.emplace_back(t);
}

} // namespace

extern "C" {

__attribute__((export_name("list_request"))) char* list_request(std::uint32_t size) {
    request.resize(size);
    return request.data();
}

__attribute__((export_name("list_answer_data"))) const char* list_answer_data() {
    return answer.data();
}

__attribute__((export_name("list_answer_size"))) std::uint32_t list_answer_size() {
    return static_cast<std::uint32_t>(answer.size());
}

// Four cells a row in; the power and hours texts (empty unless the list can
// fill the window), the list's own problem, the count of bad cells and each
// one's row, column and message, then the totals.
__attribute__((export_name("check_list"))) void check_list() {
    const loads::ListCheck check = loads::check_list(rows_of(request_texts()));
    std::vector<std::string> out{check.power_text, check.hours_text, check.list_problem,
                                 std::to_string(check.cells.size())};
    for (const loads::CellProblem& cell : check.cells) {
        out.push_back(std::to_string(cell.row));
        out.push_back(std::to_string(static_cast<int>(cell.column)));
        out.push_back(cell.message);
    }
    append(out, check.totals);
    reply(out);
}

// The four results' captions and the four module sizes in; the count of
// problems, the problems, then the plan's lines.
__attribute__((export_name("plan_modules"))) void plan_modules() {
    const std::vector<std::string> in = request_texts();
    loads::ShownResults results;
    loads::ModuleSizes modules;
    for (std::size_t i = 0; i < 4 && i + 4 < in.size(); ++i) {
        results[i] = in[i];
        modules[i] = in[i + 4];
    }
    const loads::ModulePlan plan = loads::plan_modules(results, modules);
    std::vector<std::string> out{std::to_string(plan.problems.size())};
    append(out, plan.problems);
    append(out, plan.lines);
    reply(out);
}

// Four cells a row in, the link's field out.
__attribute__((export_name("encode_list"))) void encode_list() {
    reply({loads::encode_list(rows_of(request_texts()))});
}

// The link's field in; nothing when it is malformed, else four cells a row
// after one empty text (so that an empty list is told from a refused one).
__attribute__((export_name("decode_list"))) void decode_list() {
    const std::vector<std::string> in = request_texts();
    const auto rows = loads::decode_list(in.empty() ? std::string_view() : in[0]);
    std::vector<std::string> out;
    if (rows) {
        out.emplace_back();
        for (const loads::LoadRow& row : *rows)
            append(out, std::vector<std::string>{row.name, row.count, row.power, row.hours});
    }
    reply(out);
}

// The panel's words, in the order core.js names them.
__attribute__((export_name("list_words"))) void list_words() {
    std::vector<std::string> out{std::string(words::list_title),  std::string(words::plan_title),
                                 std::string(words::open_action), std::string(words::add_row),
                                 std::string(words::remove_row),  std::string(words::fill_window),
                                 std::string(words::close),       std::string(words::row_prefix),
                                 std::string(words::row_word)};
    append(out, words::headings);
    append(out, words::module_boxes);
    append(out, loads::kDefaultModules);
    reply(out);
}

} // extern "C"
