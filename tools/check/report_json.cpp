// The JSON printer. Paths and quoted file text may be Windows-1252 rather than UTF-8: the
// inspector's string writer turns them into valid JSON either way.
#include "tools/check/report.h"
#include "tools/inspect/json_writer.h"

std::string findingsAsJson(const std::vector<Finding>& findings) {
    JsonWriter json;
    json.beginArray();
    for (const Finding& f : findings) {
        json.beginObject();
        json.key("file");
        json.value(std::string_view(f.file));
        json.key("line");
        json.value(f.line);
        json.key("column");
        json.value(f.column);
        json.key("severity");
        json.value(std::string_view(severityName(f.severity)));
        json.key("code");
        json.value(std::string_view(f.code));
        json.key("message");
        json.value(std::string_view(f.message));
        json.endObject();
    }
    json.endArray();
    return json.text();
}
