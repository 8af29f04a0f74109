// Every server on a thread of its own, so that three silent servers take as long as one.
#include "app/QueryTool.h"

#include "os/Sockets.h"
#include "query/ServerQuery.h"
#include "query/ServerStatus.h"

#include <cstdio>
#include <thread>

namespace QueryTool {

namespace {

std::string lookUpError(const std::string& host, os::ResolveResult found)
{
    if (found == os::ResolveResult::Ipv6Only)
        return "cannot resolve " + host + " to an IPv4 address";
    if (found == os::ResolveResult::Late)
        return "cannot resolve " + host + " within " + std::to_string(os::lookUpTimeoutMs / 1000) + " s";
    return "cannot resolve " + host;
}

// The host is looked up once, within the window's deadline, and the query goes to the
// address found, so that a name without one is told apart from a server that is silent.
Outcome ask(ServerStatus& status, bool rules)
{
    const std::string host = status.getHost();
    std::string address;
    const os::ResolveResult found = os::resolveHostWithin(host, address, os::lookUpTimeoutMs);
    if (found != os::ResolveResult::Ipv4)
        return {LookUpFailed, lookUpError(host, found)};
    status.setHost(address);
    ServerQuery query;
    query.query(status, true, rules, true);
    status.setHost(host);
    if (!status.isAnswered()) // an info reply with a map, however quick
        return {NoAnswer, "no answer from " + addressText(host, status.getPort())};
    return {Answered, {}};
}

} // namespace

int queryServers(const Options& options)
{
    os::socketsStartup();
    const std::size_t count = options.servers.size();
    std::vector<ServerStatus> statuses;
    for (const Server& server : options.servers)
        statuses.emplace_back(server.host, server.port);
    std::vector<Outcome> outcomes(count);
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < count; ++i)
        workers.emplace_back([&, i] { outcomes[i] = ask(statuses[i], options.rules); });
    for (std::thread& worker : workers)
        worker.join();

    std::string out;
    const bool array = options.json && count > 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (options.json)
            out += (i ? ",\n" : array ? "[\n" : "") + jsonRecord(statuses[i], outcomes[i], array ? 2 : 0);
        else
            out += (i ? "\n" : "") + textRecord(statuses[i], outcomes[i], options.rules);
    }
    if (options.json)
        out += array ? "\n]\n" : "\n";
    std::fputs(out.c_str(), stdout);

    for (const Outcome& outcome : outcomes)
        if (outcome.exit != Answered)
            return outcome.exit;
    return Answered;
}

} // namespace QueryTool
