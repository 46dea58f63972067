#include "cli/StateReport.h"

#include "core/Encoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace mivarelo {

namespace {

// The shortest text that reads back as the same float; null for values JSON
// cannot hold.
std::string JsonNumber(float value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Cp(const std::string& cp1254) {
    return JsonString(Cp1254ToUtf8(cp1254));
}

std::string GlobalsJson(const VariableFrame& globals) {
    std::string json = "{";
    if (globals.names) {
        const StringList& names = *globals.names;
        for (std::size_t k = 0; k < names.size(); ++k) {
            const bool hasValue = globals.values && k < globals.values->size();
            if (k > 0) json += ", ";
            json += Cp(names[k]) + ": " + Cp(hasValue ? (*globals.values)[k] : std::string());
        }
    }
    return json + "}";
}

std::string ErrorsJson(const std::vector<std::string>& errors) {
    std::string json = "[";
    for (std::size_t k = 0; k < errors.size(); ++k) {
        if (k > 0) json += ", ";
        json += Cp(errors[k]);
    }
    return json + "]";
}

// The lines of every procedure's body; a last line without its line end
// counts too.
long long ProgramLines(const ProcedureStore& program) {
    long long lines = 0;
    for (int i = 0; i < program.ProcedureCount(); ++i) {
        const std::string body = program.GetBody(i);
        lines += std::count(body.begin(), body.end(), '\n');
        if (!body.empty() && body.back() != '\n') ++lines;
    }
    return lines;
}

std::string BoxJson(const QRect& box) {
    if (box.isNull()) return "null";
    std::string json = "[";
    for (const int v : {box.left(), box.top(), box.right(), box.bottom()}) {
        if (json.size() > 1) json += ", ";
        json += std::to_string(v);
    }
    return json + "]";
}

} // namespace

std::string JsonString(const std::string& utf8) {
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\t') {
            json += "\\t";
        } else if (c == '\r') {
            json += "\\r";
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string SixDecimals(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string StateJson(const TurtleState& state, const RunSummary& run, const VariableFrame& globals,
                      const std::vector<std::string>& errors, const PaintedArea& painted,
                      const ProcedureStore& program) {
    const auto integer = [](long long v) { return std::to_string(v); };
    const auto boolean = [](bool b) { return std::string(b ? "true" : "false"); };
    std::string json = "{";
    json += "\"x\": " + integer(state.TurtleX);
    json += ", \"y\": " + integer(state.TurtleY);
    json += ", \"heading\": " + JsonNumber(state.Heading);
    json += ", \"pen_down\": " + boolean(state.PenIsDown);
    json += ", \"turtle_visible\": " + boolean(state.TurtleVisible);
    json += ", \"pen_width\": " + integer(state.PenWidth);
    json += ", \"pen_color\": " + integer(state.PenColor);
    json += ", \"fill_color\": " + integer(state.FillColor);
    json += ", \"screen_color\": " + integer(state.ScreenColor);
    json += ", \"font_name\": " + Cp(state.FontName);
    json += ", \"font_size\": " + JsonNumber(state.FontSize);
    json += ", \"home\": [" + integer(state.HomeX) + ", " + integer(state.HomeY) + "]";
    json += ", \"test_result\": " + integer(run.testResult);
    json += ", \"globals\": " + GlobalsJson(globals);
    json += ", \"errors\": " + ErrorsJson(errors);
    json += ", \"painted_pixels\": " + integer(painted.pixels);
    json += ", \"painted_box\": " + BoxJson(painted.box);
    json += ", \"procedures\": " + integer(program.ProcedureCount());
    json += ", \"program_lines\": " + integer(ProgramLines(program));
    json += ", \"stopped\": " + (run.stopped.empty() ? "null" : JsonString(run.stopped));
    return json + "}";
}

} // namespace mivarelo
