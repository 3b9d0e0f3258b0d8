#include "items/name_readings_win.h"

#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include "platform/wide_text.h"

// What the window's thread and the asking threads share. A thread holds it
// too, so one still in a slow call when the service object goes finds it
// still there.
struct NameReadingService::Shared {
  std::shared_ptr<NameReadings> readings;
  std::wstring progId;
  std::mutex lock;  // guards the members below
  ReadingRequest waiting;
  bool running = false;
  bool stopping = false;
  std::vector<HANDLE> threads;
};

namespace {

using Shared = NameReadingService::Shared;

// The reading in the ANSI code page; nothing when a character of it has no
// form there (a reading that cannot be typed finds nothing).
std::optional<std::string> NarrowReading(const std::wstring& reading) {
  if (reading.empty()) return std::nullopt;
  int length = static_cast<int>(reading.size());
  BOOL lossy = FALSE;
  int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reading.data(), length, nullptr, 0, nullptr, &lossy);
  if (bytes <= 0 || lossy) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reading.data(), length, narrow.data(), bytes, nullptr,
                          &lossy) != bytes ||
      lossy) {
    return std::nullopt;
  }
  return UsableReading(narrow);
}

bool Stopping(Shared& shared) {
  std::lock_guard<std::mutex> hold(shared.lock);
  return shared.stopping;
}

// Asks for one name; false when the call failed. A name the service could
// not read is remembered as such either way.
bool AskOne(Shared& shared, FeLanguage& language, const std::string& name) {
  std::optional<std::wstring> reading = language.Reading(WideText(name));
  std::optional<std::string> kept = reading ? NarrowReading(*reading) : std::nullopt;
  if (kept) {
    shared.readings->Learn(name, std::move(*kept));
  } else {
    shared.readings->Miss(name);
  }
  return reading.has_value();
}

void Work(Shared& shared) {
  ComInit com;
  FeLanguage language;
  if (!com.ok() || !language.Open(shared.progId.c_str())) {
    shared.readings->SetServiceWorked(false);
    std::lock_guard<std::mutex> hold(shared.lock);
    shared.waiting = {};  // asked again at the next load
    shared.running = false;
    return;
  }
  bool answered = false;  // some call of this thread succeeded
  bool failed = false;
  while (true) {
    ReadingRequest request;
    {
      std::lock_guard<std::mutex> hold(shared.lock);
      if (shared.stopping || shared.waiting.empty()) break;
      request = std::exchange(shared.waiting, {});
    }
    for (const std::string& name : request.fresh) {
      if (Stopping(shared)) break;
      // A reload while the first names were asked asks for them again.
      if (shared.readings->Knows(name, true)) continue;
      (AskOne(shared, language, name) ? answered : failed) = true;
    }
    // Names it could not read while it failed: asked again only once it
    // answers, and while it does not, one of them tells whether it does now.
    for (const std::string& name : request.retry) {
      if (Stopping(shared)) break;
      if (!answered && failed) break;
      if (shared.readings->Knows(name, false)) continue;
      (AskOne(shared, language, name) ? answered : failed) = true;
    }
  }
  shared.readings->SetServiceWorked(answered || !failed);
  std::lock_guard<std::mutex> hold(shared.lock);
  // The service is released after this, outside the lock; a request that
  // comes meanwhile starts a thread of its own.
  shared.running = false;
}

DWORD WINAPI Run(void* parameter) {
  std::unique_ptr<std::shared_ptr<Shared>> shared(static_cast<std::shared_ptr<Shared>*>(parameter));
  try {
    Work(**shared);
  } catch (...) {
    // Out of memory: what was learnt stays, the rest is asked at the next load.
    std::lock_guard<std::mutex> hold((*shared)->lock);
    (*shared)->running = false;
  }
  return 0;
}

}  // namespace

NameReadingService::NameReadingService(std::shared_ptr<NameReadings> readings, std::wstring progId)
    : shared_(std::make_shared<Shared>()) {
  shared_->readings = std::move(readings);
  shared_->progId = std::move(progId);
}

NameReadingService::~NameReadingService() {
  std::vector<HANDLE> threads;
  {
    std::lock_guard<std::mutex> hold(shared_->lock);
    shared_->stopping = true;
    threads = std::move(shared_->threads);
  }
  // A service that hangs in a call must not hold up the program's end.
  DWORD deadline = GetTickCount() + 1000;
  for (HANDLE thread : threads) {
    DWORD left = deadline - GetTickCount();
    WaitForSingleObject(thread, static_cast<LONG>(left) > 0 ? left : 0);
    CloseHandle(thread);
  }
}

void NameReadingService::Ask(ReadingRequest request) {
  if (request.empty()) return;
  std::lock_guard<std::mutex> hold(shared_->lock);
  ReadingRequest& waiting = shared_->waiting;
  waiting.fresh.insert(waiting.fresh.end(), request.fresh.begin(), request.fresh.end());
  waiting.retry.insert(waiting.retry.end(), request.retry.begin(), request.retry.end());
  if (shared_->running) return;

  std::vector<HANDLE>& threads = shared_->threads;
  for (auto it = threads.begin(); it != threads.end();) {
    if (WaitForSingleObject(*it, 0) != WAIT_OBJECT_0) {
      ++it;
      continue;
    }
    CloseHandle(*it);
    it = threads.erase(it);
  }
  auto* parameter = new (std::nothrow) std::shared_ptr<Shared>(shared_);
  if (parameter == nullptr) return;  // asked at the next load
  HANDLE thread = CreateThread(nullptr, 0, Run, parameter, 0, nullptr);
  if (thread == nullptr) {
    delete parameter;
    return;
  }
  shared_->running = true;
  threads.push_back(thread);
}

bool NameReadingService::WaitUntilIdle(DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  while (true) {
    {
      std::lock_guard<std::mutex> hold(shared_->lock);
      if (!shared_->running && shared_->waiting.empty()) return true;
    }
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(5);
  }
}
