#include "cli/Arguments.h"

#include <windows.h>

namespace cli {
namespace {

enum class Option { None, Help, Export, Import, Check, Backups, Restore, Account, AllAccounts, DataFolder };

struct NamedOption {
    const wchar_t* name;
    Option option;
};

constexpr NamedOption kOptions[] = {
    {L"?", Option::Help},          {L"h", Option::Help},
    {L"help", Option::Help},       {L"export", Option::Export},
    {L"import", Option::Import},   {L"account", Option::Account},
    {L"allaccounts", Option::AllAccounts}, {L"datafolder", Option::DataFolder},
    {L"check", Option::Check},     {L"backups", Option::Backups},
    {L"restore", Option::Restore},
};

Job JobOf(Option option)
{
    switch (option) {
    case Option::Export: return Job::Export;
    case Option::Import: return Job::Import;
    case Option::Check: return Job::Check;
    case Option::Restore: return Job::Restore;
    default: return Job::Backups;
    }
}

Option OptionOf(const std::wstring& arg)
{
    size_t start = 0;
    if (arg.rfind(L"--", 0) == 0)
        start = 2;
    else if (!arg.empty() && (arg[0] == L'/' || arg[0] == L'-'))
        start = 1;
    else
        return Option::None;
    const std::wstring name = arg.substr(start);
    for (const NamedOption& o : kOptions)
        if (::CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), o.name, -1, TRUE) == CSTR_EQUAL)
            return o.option;
    return Option::None;
}

}  // namespace

bool ParseArguments(const std::vector<std::wstring>& args, Arguments& parsed, std::wstring& problem)
{
    parsed = Arguments{};
    for (const std::wstring& arg : args)
        if (OptionOf(arg) == Option::Help) return true;

    bool haveJob = false, haveAccount = false, haveFolder = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const Option option = OptionOf(args[i]);
        const auto fail = [&](const std::wstring& what) {
            problem = what;
            return false;
        };
        if (option == Option::None) return fail(args[i]);
        if (option == Option::AllAccounts) {
            if (parsed.allAccounts || haveAccount) return fail(args[i]);
            parsed.allAccounts = true;
            continue;
        }
        if (option == Option::Backups) {
            if (haveJob) return fail(args[i]);
            haveJob = true;
            parsed.job = Job::Backups;
            continue;
        }
        // Every other option takes the next argument as its value.
        if (i + 1 == args.size() || args[i + 1].empty()) return fail(args[i] + L" ?");
        const std::wstring& value = args[++i];
        switch (option) {
        case Option::Export:
        case Option::Import:
        case Option::Check:
        case Option::Restore:
            if (haveJob) return fail(args[i - 1]);
            haveJob = true;
            parsed.job = JobOf(option);
            parsed.file = value;
            break;
        case Option::Account:
            if (haveAccount || parsed.allAccounts) return fail(args[i - 1]);
            haveAccount = true;
            parsed.account = value;
            break;
        case Option::DataFolder:
            if (haveFolder) return fail(args[i - 1]);
            haveFolder = true;
            parsed.dataFolder = value;
            break;
        default:
            return fail(args[i - 1]);
        }
    }
    if (!haveJob) {
        problem = L"/export, /import, /check, /backups, /restore";
        return false;
    }
    // The backups hold whole files: no account to choose; and /backups lists
    // the working folder's, whatever the data folder.
    const bool backupJob = parsed.job == Job::Backups || parsed.job == Job::Restore;
    if (parsed.allAccounts && (parsed.job == Job::Export || backupJob)) {
        problem = L"/allaccounts";
        return false;
    }
    if ((haveAccount && backupJob) || (haveFolder && parsed.job == Job::Backups)) {
        problem = haveAccount ? L"/account" : L"/datafolder";
        return false;
    }
    return true;
}

}  // namespace cli
