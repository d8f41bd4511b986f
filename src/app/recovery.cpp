#include "app/recovery.hpp"

#include <algorithm>
#include <vector>

#include "app/document.hpp"
#include "app/refresh.hpp"
#include "dialogs/message_box.hpp"
#include "export/file_read.hpp"
#include "export/safe_write.hpp"
#include "win/wide.hpp"

namespace quarn::app {
namespace {

constexpr std::string_view k_save_suffix = ".quarn-save";
constexpr std::string_view k_backup_suffix = ".quarn-backup";

std::string shown(const std::filesystem::path& path) {
    return win::narrow(path.wstring());
}

RecoveryOwner this_run() noexcept {
    RecoveryOwner owner;
    owner.process = ::GetCurrentProcessId();
    FILETIME created{}, exited{}, kernel{}, user{};
    if (::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user))
        owner.started = (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    return owner;
}

// A run holds its marker as long as its process lives; the system lets go
// of it however the process ends, killed included.
bool still_runs(const RecoveryOwner& owner) {
    std::wstring name = win::widen(recovery_marker_name(owner));
    win::UniqueHandle marker(::OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
    return static_cast<bool>(marker);
}

void stop_timer(AppState& state) noexcept {
    if (state.main != nullptr) ::KillTimer(state.main, k_recovery_timer);
}

// A recovery file being offered is held open without read sharing, so that
// a second copy starting at the same moment passes it by instead of
// offering it too; delete sharing lets this run delete or move it while it
// holds it.
win::UniqueFile claim(const std::filesystem::path& file) {
    return win::UniqueFile(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

Result<std::string> read_claimed(HANDLE file) {
    using R = Result<std::string>;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) return R::failure(win::system_message(::GetLastError()));
    // No recovery file of a map the program can hold comes near this.
    if (size.QuadPart > (std::int64_t{1} << 30)) return R::failure("it is larger than 1 GB");
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!::ReadFile(file, bytes.data() + done, want, &got, nullptr))
            return R::failure(win::system_message(::GetLastError()));
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

// Moves an unreadable recovery file out of the way of the offer, and says
// where it went. Nothing is deleted: it may be the only trace of the work.
void set_aside(AppState& state, const std::filesystem::path& file, const std::string& error) {
    std::filesystem::path aside = file.parent_path() / L"Unreadable";
    std::error_code ignored;
    std::filesystem::create_directories(aside, ignored);
    std::filesystem::path target = aside / file.filename();
    if (::MoveFileExW(file.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        dialogs::show_warning(state.main, unreadable_recovery_text(shown(file), error, shown(aside)));
    } else {
        dialogs::show_warning(state.main,
                              "The recovery file " + shown(file) + " cannot be read (" + error +
                                  "). It stays where it is: " + win::system_message(::GetLastError()));
    }
}

// The recovered map becomes the open document, changed against the map
// file as it is on disk, so that Changes Since Saved shows what the
// recovery brought and Save writes over the original after the usual
// questions.
void open_recovered(AppState& state, RecoveryRecord record) {
    state.map = std::move(record.map);
    state.path.reset();
    state.saved = Map{};
    if (record.document) {
        state.path = std::filesystem::path(win::widen(*record.document));
        auto original = read_map_file(*state.path);
        if (original.map) state.saved = std::move(original.map).value();
    }
    state.history.clear();
    state.canvas.selection().clear();
    state.last_switch.reset();
    if (state.selected_vlan && !find_vlan(state.map, *state.selected_vlan)) state.selected_vlan.reset();
    refresh_all(state);
    // The changes are this run's now: its own recovery copy holds them
    // before the old one goes.
    write_recovery_now(state);
    set_status(state, "Recovered the changes to " + record.document.value_or("Untitled"));
}

bool reads_whole(const std::filesystem::path& file) {
    auto bytes = read_whole_file(file);
    return bytes && read_recovery(bytes.value());
}

// A run killed while its safe write put a new copy in place may have left
// the copy under the safe write's names only: the new one, flushed whole
// before the replace began, under the temporary name, the previous one
// under the backup name. The newest whole one takes the recovery file's
// name again; what is left of the write goes once that name holds a copy.
void mend_killed_write(const std::filesystem::path& file) {
    std::filesystem::path temporary = safe_write_temporary(file);
    std::filesystem::path backup = safe_write_backup(file);
    auto present = [](const std::filesystem::path& path) {
        return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    if (!present(file)) {
        if (present(temporary) && reads_whole(temporary))
            (void)::MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH);
        else if (present(backup))
            (void)::MoveFileExW(backup.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    if (!present(file)) return;
    (void)::DeleteFileW(temporary.c_str());
    (void)::DeleteFileW(backup.c_str());
}

enum class Answer : std::size_t { Recover = 0, Discard = 1, Later = 2 };

void offer_one(AppState& state, const std::filesystem::path& file) {
    win::UniqueFile held = claim(file);
    if (!held) {
        DWORD error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_FILE_NOT_FOUND) return; // another copy has it
        set_aside(state, file, win::system_message(error));
        return;
    }
    auto bytes = read_claimed(held.get());
    if (!bytes) {
        set_aside(state, file, bytes.error());
        return;
    }
    auto record = read_recovery(bytes.value());
    if (!record) {
        set_aside(state, file, record.error());
        return;
    }
    dialogs::MessageRequest request;
    request.owner = state.main;
    request.icon = dialogs::MessageIcon::Program;
    request.text = recovery_offer_text(record.value());
    request.buttons = {"Recover", "Discard", "Later"};
    request.default_index = static_cast<std::size_t>(Answer::Recover);
    request.close_index = static_cast<std::size_t>(Answer::Later);
    switch (static_cast<Answer>(dialogs::show_message(request))) {
    case Answer::Recover:
        // Another recovered map may be open: it gets the save question first.
        if (!confirm_discard(state)) return;
        open_recovered(state, std::move(record).value());
        (void)::DeleteFileW(file.c_str());
        return;
    case Answer::Discard:
        (void)::DeleteFileW(file.c_str());
        return;
    case Answer::Later:
        return;
    }
}

} // namespace

std::optional<std::filesystem::path> recovery_folder() {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (local == nullptr || *local == 0) return std::nullopt;
    return std::filesystem::path(local) / L"Quarn" / L"Recovery";
}

void start_recovery(AppState& state, const std::filesystem::path& folder) noexcept {
    try {
        state.recovery.folder = folder;
        state.recovery.owner = this_run();
        std::wstring marker = win::widen(recovery_marker_name(state.recovery.owner));
        state.recovery.marker.reset(::CreateMutexW(nullptr, FALSE, marker.c_str()));
        std::optional<std::string> wait;
        if (const wchar_t* given = _wgetenv(k_recovery_wait_variable)) wait = win::narrow(given);
        state.recovery.timing = recovery_timing(wait);
    } catch (...) {
        state.recovery.folder.reset();
    }
}

void recovery_after_change(AppState& state) noexcept {
    RecoveryState& recovery = state.recovery;
    if (!recovery.folder) return;
    if (state.map == state.saved) {
        discard_recovery(state);
        return;
    }
    auto now = RecoveryClock::now();
    if (!recovery.first_unwritten) recovery.first_unwritten = now;
    auto delay = recovery_delay(recovery.timing, now, *recovery.first_unwritten);
    // The timer's message waits while other messages come (a stream of
    // edits sent by another program, or a long paste): once the longest wait
    // is over, the change that finds it over writes the copy itself.
    if (delay.count() == 0) {
        write_recovery_now(state);
        return;
    }
    // Setting the timer again restarts it: the quiet wait begins anew.
    ::SetTimer(state.main, k_recovery_timer, static_cast<UINT>(std::max<long long>(delay.count(), 1)),
               nullptr);
}

void write_recovery_now(AppState& state) noexcept {
    RecoveryState& recovery = state.recovery;
    stop_timer(state);
    if (!recovery.folder) return;
    if (state.map == state.saved) {
        discard_recovery(state);
        return;
    }
    try {
        std::error_code error;
        std::filesystem::create_directories(*recovery.folder, error);
        std::string document_name = state.path ? win::narrow(state.path->filename().wstring()) : "";
        std::filesystem::path target =
            *recovery.folder / win::widen(recovery_file_name(document_name, recovery.owner));
        RecoveryRecord record;
        if (state.path) record.document = shown(*state.path);
        record.written = utc_text(std::chrono::system_clock::now());
        record.map = state.map;
        if (auto failed = safe_write(target, write_recovery(record))) {
            set_status(state, "Could not write the recovery copy " + shown(target) + ": " + *failed);
            // Tried again once the longest wait has passed, or at the next change.
            recovery.first_unwritten = RecoveryClock::now();
            ::SetTimer(state.main, k_recovery_timer, static_cast<UINT>(recovery.timing.longest.count()),
                       nullptr);
            return;
        }
        // Save As gave the document another name: the copy under the old one goes.
        if (recovery.written && *recovery.written != target) (void)::DeleteFileW(recovery.written->c_str());
        recovery.written = target;
        recovery.first_unwritten.reset();
    } catch (...) {
        // Out of memory: the next change tries again.
    }
}

void discard_recovery(AppState& state) noexcept {
    RecoveryState& recovery = state.recovery;
    stop_timer(state);
    recovery.first_unwritten.reset();
    if (recovery.written) {
        (void)::DeleteFileW(recovery.written->c_str());
        recovery.written.reset();
    }
}

void offer_recovery(AppState& state) noexcept {
    try {
        if (!state.recovery.folder) return;
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (std::filesystem::directory_iterator it(*state.recovery.folder, error), end; !error && it != end;
             it.increment(error)) {
            if (!it->is_regular_file(error)) continue;
            files.push_back(it->path());
        }
        // The recovery files of runs that have ended, each once, named as
        // the file itself whatever of its safe write is left.
        std::vector<std::filesystem::path> ended;
        for (const auto& file : files) {
            std::string name = win::narrow(file.filename().wstring());
            auto owner = recovery_file_owner(name);
            if (!owner || *owner == state.recovery.owner || still_runs(*owner)) continue;
            for (std::string_view suffix : {k_save_suffix, k_backup_suffix})
                if (name.ends_with(suffix)) name.resize(name.size() - suffix.size());
            std::filesystem::path recovery = file.parent_path() / win::widen(name);
            if (std::find(ended.begin(), ended.end(), recovery) == ended.end()) ended.push_back(recovery);
        }
        std::sort(ended.begin(), ended.end());
        for (const auto& file : ended) {
            mend_killed_write(file);
            // Nothing whole was left: a run killed while it wrote its first copy.
            if (::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
                (void)::DeleteFileW(safe_write_temporary(file).c_str());
                continue;
            }
            offer_one(state, file);
        }
    } catch (...) {
        // Out of memory: the files stay for the next start.
    }
}

} // namespace quarn::app
