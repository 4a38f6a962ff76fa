// A vantrell-server of the build run as a program on a free loopback port, as an operator would
// start it; stopped (or killed) when the test is done.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>

namespace vantrell::test {

// A port nobody listens on just now.
inline int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    close(fd);
    return ntohs(address.sin_port);
}

class ServerProcess {
  public:
    // Starts vantrell-server with `args` (and --listen) and waits until /healthz answers.
    explicit ServerProcess(std::vector<std::string> args, int port = FreePort()) : port_(port) {
        args.insert(args.begin(),
                    {VANTRELL_SERVER, "--listen", "127.0.0.1:" + std::to_string(port_)});
        pid_ = fork();
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (std::string& arg : args) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        httplib::Client client("127.0.0.1", port_);
        for (int i = 0; i < 200 && !ready_; ++i) {
            const httplib::Result health = client.Get("/healthz");
            ready_ = health && health->status == 200;
            if (!ready_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
    }
    ~ServerProcess() { Stop(SIGTERM); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool ready() const { return ready_; }
    int port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_read_timeout(30, 0);
        return client;
    }
    // Ends the process with `signal` (SIGKILL: no chance to tidy up) and waits for it.
    void Stop(int signal) {
        if (pid_ > 0) {
            kill(pid_, signal);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

  private:
    int port_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

// The output and exit status of a command line run through the shell.
struct Ran {
    int status = -1;
    std::string output;
};
inline Ran RunCommand(const std::string& command) {
    Ran ran;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        ran.output.append(buffer, got);
    }
    const int status = pclose(pipe);
    ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ran;
}

}  // namespace vantrell::test
