#include "win32/app/folder_watcher.h"

#include "store/collection.h"
#include "win32/shared/text.h"

namespace quorvel::win32 {
namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring ParentOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    // "C:\" is the top: what stands above its folders is the drive itself.
    if (slash == std::wstring::npos || slash + 1 == path.size()) return {};
    return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
}

}  // namespace

FolderWatcher::FolderWatcher(const StartupFolders& folders) {
    for (const StartupFolder folder : kStartupFolders) {
        const std::wstring path = Widen(folders.PathOf(folder));
        if (path.empty()) continue;
        for (const bool parent : {false, true}) {
            auto watch = std::make_unique<Watch>();
            watch->event.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
            // Without an event there is no watch: the periodic pass still reads the folders.
            if (!watch->event) continue;
            watch->folder = path;
            watch->sources.set(SourceOfFolder(folder));
            watch->parent = parent;
            events_.push_back(watch->event.get());
            watches_.push_back(std::move(watch));
        }
    }
}

FolderWatcher::~FolderWatcher() {
    for (const auto& watch : watches_)
        Disarm(*watch);
}

SourceSet FolderWatcher::Restart() {
    SourceSet unreported;
    for (const auto& watch : watches_) {
        // Signalled since the message loop last looked: the reading that follows must include it.
        if (::WaitForSingleObject(watch->event.get(), 0) == WAIT_OBJECT_0) unreported |= watch->sources;
        Disarm(*watch);
        ::ResetEvent(watch->event.get());
        Arm(*watch);
    }
    return unreported;
}

void FolderWatcher::Arm(Watch& watch) {
    std::wstring watched = watch.parent ? ParentOf(watch.folder) : watch.folder;
    if (watch.parent) {
        while (!watched.empty() && !IsFolder(watched))
            watched = ParentOf(watched);
    }
    // A missing folder has no watch of its own: the one above it tells when it comes.
    if (watched.empty() || !IsFolder(watched)) return;
    // Shared for deleting too, so that the watch never keeps anyone from deleting or renaming it.
    const HANDLE directory = ::CreateFileW(
        watched.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (directory == INVALID_HANDLE_VALUE) return;
    watch.directory.reset(directory);
    // The folder's own watch looks for files that come, go, are renamed or rewritten (a shortcut given
    // another target); the watch above it for folders only.
    const bool watching_itself = watched == watch.folder;
    const DWORD filter = watching_itself ? FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE
                                         : FILE_NOTIFY_CHANGE_DIR_NAME;
    watch.pending = {};
    watch.pending.hEvent = watch.event.get();
    if (!::ReadDirectoryChangesW(directory, watch.changes.data(), static_cast<DWORD>(watch.changes.size()),
                                 FALSE, filter, nullptr, &watch.pending, nullptr))
        watch.directory.reset();
}

void FolderWatcher::Disarm(Watch& watch) {
    if (!watch.directory) return;
    // A cancelled wait still ends by writing into the watch: that end is awaited, which takes no time.
    // One that cannot be cancelled ends when the folder is let go, and the watch stays where it is.
    DWORD written = 0;
    if (::CancelIoEx(watch.directory.get(), &watch.pending))
        ::GetOverlappedResult(watch.directory.get(), &watch.pending, &written, TRUE);
    watch.directory.reset();
}

}  // namespace quorvel::win32
