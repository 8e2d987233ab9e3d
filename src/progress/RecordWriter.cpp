#include "progress/RecordWriter.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "framework/ofAppRunner.h"

namespace {
class Writer {
 public:
  void post(std::function<void()> job) {
    std::lock_guard<std::mutex> hold(lock);
    if (!thread.joinable()) {
      thread = std::thread([this] { run(); });
      id = thread.get_id();
      // The exit handler runs before the application is deleted: what a
      // run asked to be written is on disk before the program ends.
      ofAddExitHook(flushRecordJobs);
    }
    jobs.push_back(std::move(job));
    posted += 1;
    wake.notify_one();
  }

  void flush() {
    std::unique_lock<std::mutex> hold(lock);
    if (std::this_thread::get_id() == id) return;  // a job waiting for itself
    const unsigned long long upTo = posted;
    done.wait(hold, [&] { return finished >= upTo; });
  }

 private:
  void run() {
    std::unique_lock<std::mutex> hold(lock);
    while (true) {
      wake.wait(hold, [&] { return !jobs.empty(); });
      std::function<void()> job = std::move(jobs.front());
      jobs.pop_front();
      hold.unlock();
      job();
      job = nullptr;  // what it held goes before the job counts as done
      hold.lock();
      finished += 1;
      done.notify_all();
    }
  }

  std::mutex lock;
  std::condition_variable wake, done;
  std::deque<std::function<void()>> jobs;
  unsigned long long posted = 0, finished = 0;
  std::thread thread;
  std::thread::id id;
};

// Never destroyed: the exit handler and the application's destructor run
// after static objects may have gone, and must still be able to flush. The
// thread waits for work until the process ends.
Writer& writer() {
  static Writer* const one = new Writer;
  return *one;
}
}  // namespace

void postRecordJob(std::function<void()> job) { writer().post(std::move(job)); }

void flushRecordJobs() { writer().flush(); }
