#include "LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <stdexcept>

namespace arc::test {
namespace {

constexpr int kMaxConnections = 200;  // keeps a runaway client loop bounded
constexpr auto kTrickleLimit = std::chrono::seconds(10);

bool SendAll(int socket, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0) {
        close(listener_);
        throw std::runtime_error("bind/listen failed");
    }
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
}

void LocalHttpServer::Route(const std::string& path, Answer answer) {
    std::lock_guard lock(mutex_);
    routes_.insert_or_assign(path, std::move(answer));
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::requestHeads() const {
    std::lock_guard lock(mutex_);
    return heads_;
}

void LocalHttpServer::Serve() {
    int served = 0;
    while (!stop_ && served < kMaxConnections) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) continue;
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        ++served;
        Handle(client);
        close(client);
    }
}

void LocalHttpServer::Handle(int client) {
    const timeval wait{5, 0};  // a client that sends no request is dropped
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0 || stop_) return;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t pathStart = head.find(' ') + 1;
    std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);
    if (std::size_t query = path.find('?'); query != std::string::npos) path.resize(query);

    Answer answer{404, "text/html", "<html><body>Not found</body></html>"};
    {
        std::lock_guard lock(mutex_);
        heads_.push_back(head);
        if (auto it = routes_.find(path); it != routes_.end()) answer = it->second;
    }
    const long long length = answer.declaredLength >= 0
                                 ? answer.declaredLength
                                 : static_cast<long long>(answer.body.size());
    std::string reply =
        "HTTP/1.1 " + std::to_string(answer.status) + " Status" +
        "\r\nContent-Type: " + answer.contentType + "\r\n" +
        (answer.endless ? "" : "Content-Length: " + std::to_string(length) + "\r\n") +
        "Connection: close\r\n";
    if (!answer.location.empty()) reply += "Location: " + answer.location + "\r\n";
    reply += answer.extraHeaders + "\r\n";
    if (!SendAll(client, reply.data(), reply.size())) return;

    if (answer.endless) {
        while (!stop_ && SendAll(client, answer.body.data(), answer.body.size()))
            std::this_thread::sleep_for(answer.trickle);
        return;
    }
    if (answer.trickle.count() == 0) {
        SendAll(client, answer.body.data(), answer.body.size());
        return;
    }
    const auto limit = std::chrono::steady_clock::now() + kTrickleLimit;
    for (char byte : answer.body) {
        if (stop_ || std::chrono::steady_clock::now() > limit) return;
        if (!SendAll(client, &byte, 1)) return;
        std::this_thread::sleep_for(answer.trickle);
    }
}

}  // namespace arc::test
