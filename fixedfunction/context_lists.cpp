// Display lists: names given out in runs, commands recorded as they are called and replayed
// in order, lists calling lists to a depth of 64.
#include "fixedfunction/context.h"

namespace fixedfunction {

GLuint Context::genLists(GLsizei range) {
    if (range < 0) {
        setError(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) return 0;
    GLuint base = 1;
    for (;;) {
        GLuint taken = 0;
        for (GLuint name = base; name < base + GLuint(range); ++name)
            if (lists.count(name) != 0) taken = name;
        if (taken == 0) break;
        base = taken + 1;
    }
    // Reserved as empty lists, so the next request gets other names.
    const auto empty = std::make_shared<const std::vector<ListCommand>>();
    for (GLuint name = base; name < base + GLuint(range); ++name) lists[name] = empty;
    return base;
}

void Context::newList(GLuint list, GLenum mode) {
    if (insideBeginEnd() || compiling != nullptr) return setError(GL_INVALID_OPERATION);
    if (list == 0) return setError(GL_INVALID_VALUE);
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return setError(GL_INVALID_ENUM);
    pendingList.clear();
    compiling = &pendingList;
    compilingName = list;
    compileMode = mode;
}

void Context::endList() {
    if (insideBeginEnd() || compiling == nullptr) return setError(GL_INVALID_OPERATION);
    // The list takes its name only now: until glEndList, calling it runs its old contents.
    lists[compilingName] = std::make_shared<const std::vector<ListCommand>>(std::move(pendingList));
    pendingList = {};
    compiling = nullptr;
    compilingName = 0;
    compileMode = 0;
}

void Context::deleteLists(GLuint list, GLsizei range) {
    if (range < 0) return setError(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < range; ++i) lists.erase(list + GLuint(i));
}

void Context::callList(GLuint list) {
    if (listDepth >= kListNestingDepth) return;
    const auto found = lists.find(list);
    if (found == lists.end()) return;
    // Held while it runs: a command of the list may delete or replace it.
    const std::shared_ptr<const std::vector<ListCommand>> commands = found->second;
    ++listDepth;
    for (const ListCommand& command : *commands) command(*this);
    --listDepth;
}

void Context::callLists(GLsizei count, GLenum type, const void* names) {
    if (count < 0) return setError(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < count; ++i) {
        GLuint offset = 0;
        switch (type) {
        case GL_UNSIGNED_BYTE: offset = static_cast<const GLubyte*>(names)[i]; break;
        case GL_BYTE: offset = GLuint(static_cast<const GLbyte*>(names)[i]); break;
        case GL_UNSIGNED_SHORT: offset = static_cast<const GLushort*>(names)[i]; break;
        case GL_SHORT: offset = GLuint(static_cast<const GLshort*>(names)[i]); break;
        case GL_UNSIGNED_INT: offset = static_cast<const GLuint*>(names)[i]; break;
        case GL_INT: offset = GLuint(static_cast<const GLint*>(names)[i]); break;
        case GL_FLOAT: offset = GLuint(static_cast<const GLfloat*>(names)[i]); break;
        default: return setError(GL_INVALID_ENUM);
        }
        callList(state.listBase + offset);
    }
}

void Context::listBase(GLuint base) { state.listBase = base; }

}  // namespace fixedfunction
