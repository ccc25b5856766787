// The layer's contexts by key, the driver lookup and the extension string.
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "fixedfunction/context.h"
#include "fixedfunction/fixed_function.h"

namespace fixedfunction {

Context* activeContext = nullptr;

namespace {

struct Registry {
    ProcLookup lookup = nullptr;
    // Each context keeps its driver table beside it: the table outlives the context's use.
    std::map<std::uintptr_t, std::pair<std::unique_ptr<Driver>, std::unique_ptr<Context>>> contexts;
    std::uintptr_t currentKey = 0;
    Context* current = nullptr;
    std::set<std::string> hidden;
    bool hiddenReadFromEnvironment = false;
};

Registry& registry() {
    static Registry r;
    return r;
}

const char* const kExtensions[] = {"GL_ARB_multitexture", "GL_EXT_texture_env_combine",
                                   "GL_EXT_texture_env_dot3"};

void readOverride(Registry& r) {
    if (r.hiddenReadFromEnvironment) return;
    r.hiddenReadFromEnvironment = true;
    const char* value = std::getenv("VORN_GL_EXTENSION_OVERRIDE");
    if (value == nullptr) return;
    std::istringstream words(value);
    std::string word;
    while (words >> word)
        if (word.size() > 1 && word[0] == '-') r.hidden.insert(word.substr(1));
}

Context& contextOf(std::uintptr_t key, const Driver* given) {
    Registry& r = registry();
    auto& entry = r.contexts[key];
    if (given != nullptr || entry.second == nullptr) {
        auto driver = std::make_unique<Driver>();
        if (given != nullptr) *driver = *given;
        else if (r.lookup != nullptr) driver->load(r.lookup);
        entry.second = std::make_unique<Context>(*driver);
        entry.first = std::move(driver);
    }
    r.currentKey = key;
    r.current = entry.second.get();
    activeContext = r.current;
    return *r.current;
}

}  // namespace

void setDriverLookup(ProcLookup lookup) { registry().lookup = lookup; }

void makeContextCurrent(std::uintptr_t key) { contextOf(key, nullptr); }

void makeContextCurrent(std::uintptr_t key, const Driver& driver) { contextOf(key, &driver); }

void forgetContext(std::uintptr_t key) {
    Registry& r = registry();
    if (r.currentKey == key) {
        r.current = nullptr;
        r.currentKey = 0;
        activeContext = nullptr;
    }
    r.contexts.erase(key);
}

Context& currentContext() {
    Registry& r = registry();
    if (r.current != nullptr) return *r.current;
    return contextOf(~std::uintptr_t(0), nullptr);
}

void flushCurrentContext() {
    if (registry().current != nullptr) registry().current->flush();
}

std::string offeredExtensions(bool driverTakesAnySize) {
    Registry& r = registry();
    readOverride(r);
    std::string list;
    std::vector<const char*> names(std::begin(kExtensions), std::end(kExtensions));
    if (driverTakesAnySize) names.push_back("GL_ARB_texture_non_power_of_two");
    for (const char* name : names) {
        if (r.hidden.count(name) != 0) continue;
        if (!list.empty()) list += ' ';
        list += name;
    }
    return list;
}

void hideExtension(const std::string& name) {
    readOverride(registry());
    registry().hidden.insert(name);
}

void showAllExtensions() {
    registry().hidden.clear();
    registry().hiddenReadFromEnvironment = true;
}

}  // namespace fixedfunction
