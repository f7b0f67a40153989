#include "support/dialog_template.h"

#include <cstring>

#include "support/wait.h"

namespace hvntest {
namespace {

// The module file loaded as data for as long as this lives.
class DataModule {
public:
    explicit DataModule(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)),
          error_(module_ ? 0 : GetLastError()) {}
    ~DataModule() {
        if (module_) FreeLibrary(module_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    HMODULE get() const { return module_; }
    DWORD error() const { return error_; }

private:
    HMODULE module_;
    DWORD error_;
};

// Reads the template's fields in order; any read past the end marks it failed.
class TemplateReader {
public:
    TemplateReader(const BYTE* bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool ok() const { return ok_; }
    size_t offset() const { return offset_; }

    template <typename T>
    T Read() {
        T value{};
        if (offset_ + sizeof(T) > size_) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, bytes_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    std::wstring String() {
        std::wstring text;
        for (wchar_t c = Read<WORD>(); ok_ && c; c = Read<WORD>()) text += c;
        return text;
    }
    // A name or a number: 0 for none, 0xFFFF and a WORD for a number, else a string.
    std::wstring StringOrOrdinal() {
        const WORD first = Read<WORD>();
        if (first == 0) return std::wstring();
        if (first == 0xFFFF) return L"#" + std::to_wstring(Read<WORD>());
        std::wstring text(1, (wchar_t)first);
        return text + String();
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~(size_t)3; }
    void Skip(size_t bytes) {
        if (offset_ + bytes > size_) ok_ = false;
        else offset_ += bytes;
    }

private:
    const BYTE* bytes_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

}  // namespace

const DialogItemTemplate* DialogTemplate::Item(int id) const {
    for (const DialogItemTemplate& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

testing::AssertionResult LoadDialogTemplate(const std::wstring& modulePath, int id,
                                            DialogTemplate* dialog) {
    DataModule module(modulePath);
    if (!module.get())
        return testing::AssertionFailure() << "cannot load " << Narrow(modulePath)
                                           << " as data: error " << module.error();
    HRSRC found = FindResourceW(module.get(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    HGLOBAL loaded = found ? LoadResource(module.get(), found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes) return testing::AssertionFailure() << "no dialog template " << id;
    TemplateReader in(bytes, SizeofResource(module.get(), found));

    *dialog = DialogTemplate();
    const bool extended = in.Read<WORD>() == 1 && in.Read<WORD>() == 0xFFFF;
    WORD count = 0;
    if (extended) {
        in.Read<DWORD>();  // help id
        in.Read<DWORD>();  // extended style
        dialog->style = in.Read<DWORD>();
    } else {
        in = TemplateReader(bytes, SizeofResource(module.get(), found));
        dialog->style = in.Read<DWORD>();
        in.Read<DWORD>();  // extended style
    }
    count = in.Read<WORD>();
    dialog->x = in.Read<short>();
    dialog->y = in.Read<short>();
    dialog->cx = in.Read<short>();
    dialog->cy = in.Read<short>();
    in.StringOrOrdinal();  // menu
    in.StringOrOrdinal();  // window class
    dialog->title = in.String();
    if (dialog->style & DS_SETFONT) {
        dialog->pointSize = in.Read<WORD>();
        if (extended) {
            dialog->weight = in.Read<WORD>();
            in.Read<BYTE>();  // italic
            in.Read<BYTE>();  // character set
        }
        dialog->typeface = in.String();
    }
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignToDword();
        DialogItemTemplate item;
        if (extended) {
            in.Read<DWORD>();  // help id
            in.Read<DWORD>();  // extended style
            item.style = in.Read<DWORD>();
        } else {
            item.style = in.Read<DWORD>();
            in.Read<DWORD>();  // extended style
        }
        item.x = in.Read<short>();
        item.y = in.Read<short>();
        item.cx = in.Read<short>();
        item.cy = in.Read<short>();
        item.id = extended ? (int)in.Read<DWORD>() : (short)in.Read<WORD>();
        item.className = in.StringOrOrdinal();
        item.text = in.StringOrOrdinal();
        in.Skip(in.Read<WORD>());  // creation data
        dialog->items.push_back(item);
    }
    if (!in.ok())
        return testing::AssertionFailure() << "dialog template " << id << " ends early, at byte "
                                           << in.offset();
    return testing::AssertionSuccess();
}

}  // namespace hvntest
