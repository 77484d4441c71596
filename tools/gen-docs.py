#!/usr/bin/env python3
"""Writes the manual pages arcanote(1), arcanote-cli(1) and the bash completion
of arcanote-cli from the help that the built arcanote-cli prints, so that they
follow its commands and options.

usage: gen-docs.py ARCANOTE_CLI OUT_DIR VERSION
"""
import gzip
import os
import re
import subprocess
import sys
import tempfile

OPTION = re.compile(r"--[a-z][a-z0-9-]*")


def run_help(cli, home, *args):
    result = subprocess.run([cli, "--home", home, *args, "--help"], capture_output=True,
                            text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"gen-docs: '{cli} {' '.join(args)} --help' exited with {result.returncode}")
    return result.stdout


def parse_main_help(text):
    """Returns (usage lines, [(option, description)], [command usage lines])."""
    usage, options, commands = [], [], []
    section = "usage"
    for line in text.splitlines():
        if not line.strip():
            continue
        if line.startswith("Global options:"):
            section = "options"
            continue
        if line.startswith("Commands:"):
            section = "commands"
            continue
        if section == "usage":
            usage.append(re.sub(r"^(Usage:)?\s*", "", line))
        elif section == "options":
            match = re.match(r"\s+(--\S+(?: [A-Z]+)?)\s{2,}(.*)", line)
            if match:
                options.append([match.group(1), match.group(2)])
            elif options:
                options[-1][1] += " " + line.strip()
        else:
            commands.append(line.strip())
    if not commands:
        sys.exit("gen-docs: no command found in the help of arcanote-cli")
    return usage, options, commands


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    if text[:1] in (".", "'"):
        text = "\\&" + text
    return text


def header(name, version, title):
    return [f'.TH {name.upper()} 1 "" "Arcanote {version}" "{title}"', ".SH NAME"]


FOLDER_RULES = [
    ".SH PROGRAM FOLDER",
    "The program folder holds the settings, the log, the database, the support files,",
    "the skins and the notes. It is",
    ".IP 1. 3",
    "the folder given with \\fB\\-\\-home\\fR \\fIDIR\\fR, when given;",
    ".IP 2. 3",
    "else the folder of the executables, when it holds the template \\fIArcanote.mdx\\fR",
    "and is writable (a build folder's \\fIbin\\fR);",
    ".IP 3. 3",
    "else \\fI$XDG_DATA_HOME/arcanote\\fR (\\fI~/.local/share/arcanote\\fR when",
    ".B XDG_DATA_HOME",
    "is unset), filled from \\fI/usr/share/arcanote\\fR on first start.",
    ".PP",
]

FILES = [
    ".SH FILES",
    "In the program folder:",
    ".TP",
    ".I Arcanote.inf",
    "settings (paths, options, choices).",
    ".TP",
    ".I Arcanote.log.txt",
    "log of the tasks run.",
    ".TP",
    ".I Arcanote.mdb",
    "the database built from the emulator's lists and the support files.",
    ".TP",
    ".I Arcanote.mdx",
    "the empty template from which a new database is made.",
    ".TP",
    ".I dat/",
    "support files in DAT form (History, Mameinfo, Command, Cheat, Hiscore).",
    ".TP",
    ".I ini/",
    "support files in INI form (Catver, nPlayers and the other lists).",
    ".TP",
    ".I NOTES.TXT",
    "personal notes written from or copied into the database.",
    ".TP",
    ".I Arcanote.url.inf",
    "addresses of the support files to download.",
    ".TP",
    ".I TRANSLATE.DIC.txt",
    "translation dictionary.",
]

SEE_ALSO_CLI = [".SH SEE ALSO", ".BR arcanote (1),", ".BR mame (6)"]


def cli_page(version, usage, options, commands, command_usages):
    lines = header("arcanote-cli", version, "Arcanote")
    lines.append("arcanote\\-cli \\- MAME game database, game sheets and collection tools")
    lines.append(".SH SYNOPSIS")
    for i, entry in enumerate(usage):
        if i:
            lines.append(".br")
        lines.append(roff(entry))
    lines += [
        ".SH DESCRIPTION",
        ".B arcanote\\-cli",
        "runs the tasks of the desktop program",
        ".BR arcanote (1)",
        "from a terminal: it builds a database of every set the emulator knows,",
        "enriches it from the community support files, marks the sets found in the ROM",
        "folder and writes a static web site of game sheets.",
        ".SH GLOBAL OPTIONS",
    ]
    for option, description in options:
        lines += [".TP", f"\\fB{roff(option)}\\fR", roff(description)]
    lines += [".TP", "\\fB\\-\\-help\\fR", "print the usage and exit;",
              "after a command, print that command's usage.",
              ".TP", "\\fB\\-\\-version\\fR", "print the version and exit."]
    lines.append(".SH COMMANDS")
    for name, text in zip(commands, command_usages):
        rest = text[len(name):].strip() if text.startswith(name) else text
        lines += [".TP", f"\\fB{roff(name)}\\fR", roff(rest) if rest else "(no option)"]
    lines += [
        ".SH EXIT STATUS",
        ".TP", ".B 0", "success.",
        ".TP", ".B 1", "the task failed or did only part of its work.",
        ".TP", ".B 2", "bad usage (unknown command or option, missing value).",
    ]
    lines += FOLDER_RULES + FILES
    lines += [
        ".SH EXAMPLES",
        "Build the database from the installed emulator:",
        ".PP", ".RS", ".B arcanote\\-cli build", ".RE",
        ".PP", "List my ROMs:",
        ".PP", ".RS", ".B arcanote\\-cli list\\-roms \\-\\-roms ~/mame/roms", ".RE",
        ".PP", "Write the site of game sheets:",
        ".PP", ".RS", ".B arcanote\\-cli sheets \\-\\-out ~/arcanote\\-site/", ".RE",
    ]
    lines += SEE_ALSO_CLI
    return "\n".join(lines) + "\n"


def desktop_page(version):
    lines = header("arcanote", version, "Arcanote")
    lines += [
        "arcanote \\- MAME game database, game sheets and collection tools (desktop)",
        ".SH SYNOPSIS",
        ".B arcanote",
        "[\\fB\\-\\-home\\fR \\fIDIR\\fR]",
        ".SH DESCRIPTION",
        ".B arcanote",
        "is the desktop program of Arcanote, for users of the MAME arcade emulator.",
        "It builds a database of every set the emulator knows (from \\fB\\-listxml\\fR),",
        "enriches it from the community support files (History, Mameinfo, Command, Cheat,",
        "Hiscore, Catver, nPlayers and the other INI lists), marks the sets found in the",
        "ROM folder and writes a static web site of game sheets. Around that core: a",
        "search window acting on the matching ROM archives, personal notes, download of",
        "the support files, a translation dictionary, zip/unzip of ROM folders, artwork",
        "housekeeping and a wizard.",
        ".PP",
        "The same tasks run from a terminal with",
        ".BR arcanote\\-cli (1).",
        ".SH OPTIONS",
        ".TP",
        "\\fB\\-\\-home\\fR \\fIDIR\\fR",
        "use \\fIDIR\\fR as the program folder.",
    ]
    lines += FOLDER_RULES + FILES
    lines += [".SH SEE ALSO", ".BR arcanote\\-cli (1),", ".BR mame (6)"]
    return "\n".join(lines) + "\n"


def completion(global_options, commands, command_options):
    cases = []
    for name in commands:
        words = " ".join(command_options[name])
        cases.append(f"        {name}) opts=\"{words}\" ;;")
    case_block = "\n".join(cases)
    return f"""# bash completion for arcanote-cli, generated from its help.
_arcanote_cli()
{{
    local cur prev command i opts
    cur=${{COMP_WORDS[COMP_CWORD]}}
    prev=${{COMP_WORDS[COMP_CWORD-1]}}
    case $prev in
        --home|--to|--from|--out|--roms|--source|--copy-to|--move-to|--folder)
            mapfile -t COMPREPLY < <(compgen -d -- "$cur"); return ;;
        --db|--listxml|--mame|--ini)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur"); return ;;
    esac
    command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${{COMP_WORDS[i]}} in
            --home) ((i++)) ;;
            -*) ;;
            *) command=${{COMP_WORDS[i]}}; break ;;
        esac
    done
    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W "{' '.join(global_options)}" -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "{' '.join(commands)}" -- "$cur")
        fi
        return
    fi
    case $command in
{case_block}
        *) opts= ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$opts --help" -- "$cur")
    [[ ${{#COMPREPLY[@]}} -eq 0 && $cur != -* ]] && mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}}
complete -F _arcanote_cli arcanote-cli
"""


def write(path, text, gzipped=False):
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)
    if gzipped:
        with open(path + ".gz", "wb") as raw:
            with gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0, compresslevel=9) as out:
                out.write(text.encode("utf-8"))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    cli, out_dir, version = sys.argv[1:]
    os.makedirs(out_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as home:
        usage, options, command_lines = parse_main_help(run_help(cli, home))
        commands = [line.split()[0] for line in command_lines]
        command_usages = []
        command_options = {}
        for name in commands:
            text = run_help(cli, home, name).strip()
            text = re.sub(r"^usage:\s*arcanote-cli\s+", "", text, flags=re.IGNORECASE)
            command_usages.append(" ".join(text.split()))
            # Subcommands ("notes write|copy") complete like options.
            words = set(OPTION.findall(text))
            first = text.split()[1:2]
            if first and re.fullmatch(r"[a-z]+(\|[a-z]+)+", first[0]):
                words.update(first[0].split("|"))
            command_options[name] = sorted(words)
    global_options = [option.split()[0] for option, _ in options] + ["--help", "--version"]
    write(os.path.join(out_dir, "arcanote-cli.1"),
          cli_page(version, usage, options, commands, command_usages), gzipped=True)
    write(os.path.join(out_dir, "arcanote.1"), desktop_page(version), gzipped=True)
    write(os.path.join(out_dir, "arcanote-cli"),
          completion(global_options, commands, command_options))


if __name__ == "__main__":
    main()
