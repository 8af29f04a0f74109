#include "tests/support/NginxServer.h"

#include "os/Clock.h"
#include "os/Shell.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testing_support {

namespace {

// A listening socket on 127.0.0.1 and a port the system chose; -1 on failure.
int listenOnFreePort(std::uint16_t& port)
{
    int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(s, 128) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(s);
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}

std::string findNginx()
{
    std::string found = os::findOnSearchPath("nginx");
    if (!found.empty())
        return found;
    for (const char* candidate : {"/usr/sbin/nginx", "/usr/local/sbin/nginx", "/usr/local/nginx/sbin/nginx"})
        if (access(candidate, X_OK) == 0)
            return candidate;
    return {};
}

// As root, nginx's workers would become "nobody", who cannot read a private temporary
// folder: keep them as the user who runs the test.
std::string userLine()
{
    if (geteuid() != 0)
        return {};
    const passwd* user = getpwuid(geteuid());
    const group* grp = getgrgid(getegid());
    if (!user || !grp)
        return {};
    return std::string("user ") + user->pw_name + " " + grp->gr_name + ";\n";
}

} // namespace

NginxServer::NginxServer()
{
    for (const char* sub : {"www", "logs", "tmp/body", "tmp/proxy", "tmp/fastcgi", "tmp/uwsgi", "tmp/scgi"})
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
    const std::string nginx = findNginx();
    if (nginx.empty()) {
        writeFile(folder.file("logs/output.log"), "nginx is not installed (Debian package nginx)\n");
        return false;
    }
    const int listener = listenOnFreePort(listenPort);
    if (listener < 0) {
        writeFile(folder.file("logs/output.log"), "no free loopback port\n");
        return false;
    }

    const std::string p = folder.path();
    std::ostringstream conf;
    conf << "daemon off;\n"
         << "master_process on;\n"
         << "worker_processes 1;\n"
         << userLine()
         << "pid " << p << "/logs/nginx.pid;\n"
         << "error_log " << p << "/logs/error.log notice;\n"
         << "events { worker_connections 256; }\n"
         << "http {\n"
         << "  default_type application/octet-stream;\n"
         << "  log_format holmik '$request_method $request_uri $status $http_host';\n"
         << "  access_log " << p << "/logs/access.log holmik;\n"
         << "  client_body_temp_path " << p << "/tmp/body;\n"
         << "  proxy_temp_path " << p << "/tmp/proxy;\n"
         << "  fastcgi_temp_path " << p << "/tmp/fastcgi;\n"
         << "  uwsgi_temp_path " << p << "/tmp/uwsgi;\n"
         << "  scgi_temp_path " << p << "/tmp/scgi;\n"
         << "  server {\n"
         << "    listen 127.0.0.1:" << listenPort << ";\n"
         << "    root " << p << "/www;\n"
         << "  }\n"
         << "}\n";
    writeFile(folder.file("nginx.conf"), conf.str());

    // nginx takes over a listening socket named in its NGINX variable (its way of
    // upgrading without dropping connections): the port is ours before nginx starts.
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "NGINX=", 6) != 0)
            environment.emplace_back(*e);
    environment.push_back("NGINX=" + std::to_string(listener) + ";");
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> arguments = {nginx, "-p", p + "/", "-c", p + "/nginx.conf", "-e", p + "/logs/error.log"};
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int output = open(folder.file("logs/output.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t parent = getpid();

    const pid_t child = fork();
    if (child == 0) {
        // nginx goes with the test process, even when the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        setpgid(0, 0);
        fcntl(listener, F_SETFD, 0);
        if (output >= 0) {
            dup2(output, 1);
            dup2(output, 2);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(listener);
    if (output >= 0)
        close(output);
    if (child < 0)
        return false;
    pid = child;
    if (!waitUntilServing()) {
        stop();
        return false;
    }
    return true;
}

bool NginxServer::waitUntilServing()
{
    // The socket listens already, so requests queue until nginx takes them; what is left
    // is to see nginx adopt it, or die.
    const std::uint32_t begin = os::monotonicMilliseconds();
    while (os::monotonicMilliseconds() - begin < 60000) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return false;
        }
        if (errorLog().find("start worker process") != std::string::npos)
            return true;
        os::sleepMilliseconds(5);
    }
    return false;
}

void NginxServer::stop()
{
    if (pid <= 0)
        return;
    kill(-pid, SIGTERM);
    kill(pid, SIGTERM);
    int status = 0;
    const std::uint32_t begin = os::monotonicMilliseconds();
    for (;;) {
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno != EINTR))
            break;
        if (os::monotonicMilliseconds() - begin > 20000) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        os::sleepMilliseconds(2);
    }
    pid = -1;
}

} // namespace testing_support
