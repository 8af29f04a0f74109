#include "tests/support/NginxServer.h"

#include "tests/support/ChildProcess.h"

#include "os/Clock.h"

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace testing_support {

NginxServer::NginxServer()
{
    for (const char* sub : {"www", "logs", "tmp"})
        std::filesystem::create_directories(folder.file(sub));
}

NginxServer::~NginxServer() { stop(); }

std::string NginxServer::host() const { return "127.0.0.1:" + std::to_string(listenPort); }

std::string NginxServer::documentRoot() const { return folder.file("www"); }

void NginxServer::serve(const std::string& urlPath, const std::string& contents) const
{
    writeFile(documentRoot() + urlPath, contents);
}

void NginxServer::remove(const std::string& urlPath) const
{
    std::error_code ignored;
    std::filesystem::remove(documentRoot() + urlPath, ignored);
}

std::vector<std::string> NginxServer::requests() const
{
    std::vector<std::string> lines;
    std::istringstream in(readFile(folder.file("logs/access.log")));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string NginxServer::errorLog() const
{
    return readFile(folder.file("logs/error.log")) + readFile(folder.file("logs/output.log"));
}

bool NginxServer::start()
{
    if (pid > 0)
        return true;
    // A listening socket on a port the system chose, handed to nginx in its NGINX variable
    // (its way of upgrading without dropping connections): the port is ours before nginx runs.
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 128) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(listener);
        return false;
    }
    listenPort = ntohs(address.sin_port);

    // As root, nginx's workers would become "nobody", who cannot read a private temporary
    // folder: they stay the user who runs the test.
    std::string user;
    if (geteuid() == 0)
        user = std::string("user ") + getpwuid(geteuid())->pw_name + " " + getgrgid(getegid())->gr_name + ";";
    const std::string p = folder.path() + "/";
    std::string temporaries;
    for (const char* kind : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        temporaries += std::string(kind) + "_temp_path " + p + "tmp/" + kind + ";";
    writeFile(folder.file("nginx.conf"),
              "daemon off; worker_processes 1; " + user + " pid logs/nginx.pid;\n"
              "error_log logs/error.log notice; events { worker_connections 256; }\n"
              "http { default_type application/octet-stream; " + temporaries + "\n"
              "  log_format holmik '$request_method $request_uri $status $http_host';\n"
              "  access_log logs/access.log holmik;\n"
              "  server { listen 127.0.0.1:" + std::to_string(listenPort) + "; root www; } }\n");
    writeFile(folder.file("logs/output.log"), "");
    const int output = open(folder.file("logs/output.log").c_str(), O_WRONLY | O_CLOEXEC);
    const char* path = getenv("PATH");
    pid = spawn({"sh", "-c", "exec \"$0\" \"$@\" 2>&1", "nginx", "-p", p, "-c", p + "nginx.conf", "-e", p + "logs/error.log"},
                {"NGINX=" + std::to_string(listener) + ";", std::string("PATH=") + (path ? path : "") + ":/usr/sbin"}, -1,
                output, listener);
    close(listener);
    close(output);

    // Requests queue on the socket already; what is left is to see nginx adopt it, or die.
    const std::uint32_t begin = os::monotonicMilliseconds();
    while (pid > 0 && errorLog().find("start worker process") == std::string::npos) {
        if (reap(pid, 5) != -2)
            pid = -1; // nginx died
        else if (os::monotonicMilliseconds() - begin > 60000)
            stop();
    }
    return pid > 0;
}

void NginxServer::stop()
{
    if (pid <= 0)
        return;
    kill(-pid, SIGTERM);
    reap(pid, 20000, true);
    pid = -1;
}

} // namespace testing_support
