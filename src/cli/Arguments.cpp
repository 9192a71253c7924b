#include "cli/Arguments.h"

#include <windows.h>

namespace cli {
namespace {

enum class Option { None, Help, Export, Import, Account, AllAccounts, DataFolder };

struct NamedOption {
    const wchar_t* name;
    Option option;
};

constexpr NamedOption kOptions[] = {
    {L"?", Option::Help},          {L"h", Option::Help},
    {L"help", Option::Help},       {L"export", Option::Export},
    {L"import", Option::Import},   {L"account", Option::Account},
    {L"allaccounts", Option::AllAccounts}, {L"datafolder", Option::DataFolder},
};

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
        // Every other option takes the next argument as its value.
        if (i + 1 == args.size() || args[i + 1].empty()) return fail(args[i] + L" ?");
        const std::wstring& value = args[++i];
        switch (option) {
        case Option::Export:
        case Option::Import:
            if (haveJob) return fail(args[i - 1]);
            haveJob = true;
            parsed.job = option == Option::Export ? Job::Export : Job::Import;
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
        problem = L"/export, /import";
        return false;
    }
    if (parsed.job == Job::Export && parsed.allAccounts) {
        problem = L"/allaccounts";
        return false;
    }
    return true;
}

}  // namespace cli
