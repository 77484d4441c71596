#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the download tests: fixed answers
// by path, one connection at a time, served from a thread of its own.

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace arc::test {

class LocalHttpServer {
  public:
    struct Answer {
        Answer(int answerStatus, std::string type, std::string answerBody)
            : status(answerStatus), contentType(std::move(type)), body(std::move(answerBody)) {}

        int status;
        std::string contentType;
        std::string body;
        std::string location;                  ///< Location header (redirects)
        std::string extraHeaders;              ///< further header lines, each ended by CR LF
        long long declaredLength = -1;         ///< Content-Length to announce; -1: the body's size
        std::chrono::milliseconds trickle{0};  ///< pause between single bytes of the body
        bool endless = false;  ///< the body over and over, no Content-Length, until the client goes
    };

    static Answer Redirect(std::string location) {
        Answer answer{302, "text/html", ""};
        answer.location = std::move(location);
        return answer;
    }

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void Route(const std::string& path, Answer answer);
    /// "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path) const;
    int requestCount() const { return static_cast<int>(requestHeads().size()); }
    /// Request heads received so far.
    std::vector<std::string> requestHeads() const;

  private:
    void Serve();
    void Handle(int client);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Answer> routes_;
    std::vector<std::string> heads_;
    std::thread thread_;
};

}  // namespace arc::test
