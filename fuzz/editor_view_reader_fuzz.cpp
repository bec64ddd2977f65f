// The editor's tolerant view reader on arbitrary bytes: it must end, keep its limits
// and leave a model that writes and reads back to the same view.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/view_file.h"

// The fuzz build leaves the editor out (it needs Qt), so the few display-free
// sources the reader uses are compiled in here.
#include "editor/editor_model.cpp"
#include "editor/overlay.cpp"
#include "editor/shape.cpp"
#include "editor/text_util.cpp"
#include "editor/view_file.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EditorModel model;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const viewfile::ReadResult result = viewfile::read(bytes, model);
    if (!result.ok) {
        if (!model.shapes.empty() || model.viewname != "View") std::abort();
        return 0;
    }
    for (const shape& s : model.shapes)
        if (s.numPoint() < 0 || s.numPoint() > shape::kMaxCount) std::abort();
    EditorModel again;
    if (!viewfile::read(viewfile::write(model), again).ok) std::abort();
    if (again.document() != model.document()) std::abort();
    viewfile::parseCoordinates(bytes, model.shapes.emplace_back());
    return 0;
}
