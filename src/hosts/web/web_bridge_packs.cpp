// The bridge's calls for the list of stages and for stage packs' archives (web_bridge.h lists
// them with the others): the page's zip reader lists an archive's entries and unpacks them one
// by one, as the pack checks (pack/pack_reader.h) ask.
#include <emscripten.h>

#include <cstdlib>

#include "hosts/web/web_bridge.h"

namespace vantrell::web {

namespace {

// clang-format off
// The action's word and the row (*row), or null when the player closed the list.
EM_ASYNC_JS(char*, ChooseStageJs, (const char* rowsJson, int32_t* row), {
    const choice = await Module.page.chooseStage(JSON.parse(UTF8ToString(rowsJson)));
    if (!choice) {
        return 0;
    }
    HEAP32[row >> 2] = choice.row | 0;
    const word = String(choice.action);
    const size = lengthBytesUTF8(word) + 1;
    const copy = _malloc(size);
    stringToUTF8(word, copy, size);
    return copy;
});
// The count of entries, or -1 with the reason in *problem.
EM_ASYNC_JS(double, OpenArchiveJs, (const uint8_t* bytes, int32_t size, char** problem), {
    const opened = await Module.page.archive.open(HEAPU8.slice(bytes, bytes + size));
    if (opened.problem === undefined) {
        return opened.count;
    }
    const text = String(opened.problem);
    const length = lengthBytesUTF8(text) + 1;
    const copy = _malloc(length);
    stringToUTF8(text, copy, length);
    HEAP32[problem >> 2] = copy;
    return -1;
});
// The entry's name; its type's word in *type, its declared size in *size.
EM_JS(char*, ArchiveEntryHeadJs, (double index, char** type, double* size), {
    const head = Module.page.archive.head(index);
    const copy = (text) => {
        const length = lengthBytesUTF8(text) + 1;
        const pointer = _malloc(length);
        stringToUTF8(text, pointer, length);
        return pointer;
    };
    // Every copy first: a malloc may grow the memory, and the views with it.
    const name = copy(String(head.name));
    const typeWord = copy(String(head.type));
    HEAP32[type >> 2] = typeWord;
    HEAPF64[size >> 3] = head.size;
    return name;
});
// The bytes' length (their copy in *bytes), or -1 with the reason in *problem.
EM_ASYNC_JS(double, UnpackArchiveEntryJs, (double index, double size, uint8_t** bytes, char** problem), {
    const unpacked = await Module.page.archive.unpack(index, size);
    if (unpacked.bytes) {
        const pointer = _malloc(Math.max(1, unpacked.bytes.length));
        HEAPU8.set(unpacked.bytes, pointer);
        HEAP32[bytes >> 2] = pointer;
        return unpacked.bytes.length;
    }
    const text = String(unpacked.problem || "?");
    const length = lengthBytesUTF8(text) + 1;
    const copy = _malloc(length);
    stringToUTF8(text, copy, length);
    HEAP32[problem >> 2] = copy;
    return -1;
});
EM_JS(void, CloseArchiveJs, (), { Module.page.archive.close(); });
// clang-format on

}  // namespace

namespace page {

std::optional<StageListChoice> ChooseStage(const std::string& rowsJson) {
    int32_t row = 0;
    const std::string word = TakeString(ChooseStageJs(rowsJson.c_str(), &row));
    if (word == "race") {
        return StageListChoice{StageListAction::Race, row};
    }
    if (word == "remove") {
        return StageListChoice{StageListAction::Remove, row};
    }
    if (word == "add") {
        return StageListChoice{StageListAction::Add, 0};
    }
    return std::nullopt;
}

std::optional<int64_t> OpenArchive(std::span<const uint8_t> bytes, std::string* problem) {
    char* why = nullptr;
    const double count = OpenArchiveJs(bytes.data(), static_cast<int32_t>(bytes.size()), &why);
    if (count < 0) {
        *problem = TakeString(why);
        return std::nullopt;
    }
    return static_cast<int64_t>(count);
}

ArchiveHead ArchiveEntryHead(int64_t index) {
    char* type = nullptr;
    double size = 0;
    ArchiveHead head;
    head.name = TakeString(ArchiveEntryHeadJs(static_cast<double>(index), &type, &size));
    head.type = TakeString(type);
    head.size = size > 0 ? static_cast<uint64_t>(size) : 0;
    return head;
}

std::optional<std::vector<uint8_t>> UnpackArchiveEntry(int64_t index, uint64_t size,
                                                       std::string* problem) {
    uint8_t* bytes = nullptr;
    char* why = nullptr;
    const double got =
        UnpackArchiveEntryJs(static_cast<double>(index), static_cast<double>(size), &bytes, &why);
    if (got < 0) {
        *problem = TakeString(why);
        return std::nullopt;
    }
    std::vector<uint8_t> unpacked(bytes, bytes + static_cast<std::size_t>(got));
    std::free(bytes);
    return unpacked;
}

void CloseArchive() {
    CloseArchiveJs();
}

}  // namespace page
}  // namespace vantrell::web
