// A query that runs on a thread of its own while the caller goes on with other work. The thread
// belongs to the object: Take() joins it, and so does the destructor on every other path, so no
// thread outlives the object that started it.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace detection {

template <class T>
class BackgroundQuery {
public:
    explicit BackgroundQuery(std::function<T()> query) : query_(std::move(query)) {
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            // No thread to be had: Take() runs the query on the caller's thread instead.
        }
    }
    BackgroundQuery(const BackgroundQuery&) = delete;
    BackgroundQuery& operator=(const BackgroundQuery&) = delete;
    ~BackgroundQuery() { Join(); }

    // Waits for the query and hands over its answer, or raises what the query raised. Once only.
    T Take() {
        Join();
        if (!ran_)
            Run();
        if (error_)
            std::rethrow_exception(std::exchange(error_, nullptr));
        return std::move(*result_);
    }

private:
    void Run() {
        ran_ = true;
        try {
            result_.emplace(query_());
        } catch (...) {
            error_ = std::current_exception();
        }
    }
    void Join() {
        if (thread_.joinable())
            thread_.join();
    }

    std::function<T()> query_;
    // Written by the query's thread only; read after the join, which orders the two.
    std::optional<T> result_;
    std::exception_ptr error_;
    bool ran_ = false;
    std::thread thread_;
};

} // namespace detection
