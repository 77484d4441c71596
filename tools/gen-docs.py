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

ROW = re.compile(r"\s+(\S+(?: \S+)?)\s{2,}(.*)")
DIR_VALUES = {"DIR"}
FILE_VALUES = {"FILE", "EXE"}


def run_help(cli, home, *args):
    result = subprocess.run([cli, "--home", home, *args, "--help"], capture_output=True,
                            text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"gen-docs: '{cli} {' '.join(args)} --help' exited with {result.returncode}")
    return result.stdout


def sections(text):
    """Splits a help text into {heading: [lines]}; the lines before the first
    heading ("Xxx:" or "Xxx (...):") go under ""."""
    found, current = {"": []}, ""
    for line in text.splitlines():
        heading = re.match(r"([A-Z][A-Za-z ]*?)(?: \(.*\))?:$", line)
        if heading:
            current = heading.group(1)
            found[current] = []
        elif line.strip():
            found[current].append(line)
    return found


def rows(lines):
    """[(left column, help)] of an aligned two-column list."""
    result = []
    for line in lines:
        match = ROW.fullmatch(line)
        if match:
            result.append([match.group(1), match.group(2)])
        elif result:
            result[-1][1] += " " + line.strip()
    return result


def parse_main_help(text):
    """Returns (usage lines, [(option, description)], [(command, summary)])."""
    parts = sections(text)
    usage = [re.sub(r"^(Usage:)?\s*", "", line) for line in parts[""]]
    commands = rows(parts.get("Commands", []))
    if not commands:
        sys.exit("gen-docs: no command found in the help of arcanote-cli")
    return usage, rows(parts.get("Global options", [])), commands


def parse_command_help(name, text):
    """Returns {usage, summary, operands: [(name, help)], options: [(option, help)]}."""
    parts = sections(text)
    head = parts[""]
    prefix = f"usage: arcanote-cli {name}"
    if not head or not head[0].startswith(prefix):
        sys.exit(f"gen-docs: the help of '{name}' does not start with '{prefix}'")
    return {
        "usage": head[0][len("usage: arcanote-cli "):].strip(),
        "summary": " ".join(line.strip() for line in head[1:]),
        "operands": rows(parts.get("Arguments", [])),
        "options": [row for row in rows(parts.get("Options", [])) if row[0] != "--help"],
    }


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


def option_term(text):
    """"--db FILE" as a bold option and an italic value."""
    name, _, value = text.partition(" ")
    term = f"\\fB{roff(name)}\\fR"
    return term + f" \\fI{roff(value)}\\fR" if value else term


def cli_page(version, usage, options, commands, helps):
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
        lines += [".TP", option_term(option), roff(description)]
    lines += [".TP", "\\fB\\-\\-help\\fR", "print the usage and exit;",
              "after a command, print that command's usage and options.",
              ".TP", "\\fB\\-\\-version\\fR", "print the version and exit."]
    lines.append(".SH COMMANDS")
    for name, summary in commands:
        help_ = helps[name]
        lines += [".SS " + roff(name), f".B arcanote\\-cli {roff(name)}",
                  roff(help_["usage"][len(name):].strip()), ".PP", roff(summary)]
        for operand, text in help_["operands"]:
            lines += [".TP", f"\\fI{roff(operand)}\\fR", roff(text)]
        for option, text in help_["options"]:
            lines += [".TP", option_term(option), roff(text)]
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


def completion(global_options, commands, helps):
    cases = []
    for name, _ in commands:
        help_ = helps[name]
        words = [option.split()[0] for option, _ in help_["options"]]
        # Operands that take fixed words ("write|copy") complete like options.
        for operand, _ in help_["operands"]:
            if "|" in operand:
                words += operand.split("|")
        values = []
        by_kind = {"dirs": [], "files": []}
        for option, _ in help_["options"]:
            option_name, _, value = option.partition(" ")
            value = value.rstrip(".")
            if value in DIR_VALUES:
                by_kind["dirs"].append(option_name)
            elif value in FILE_VALUES:
                by_kind["files"].append(option_name)
            elif "|" in value:
                values.append(f"                {option_name}) words=\"{' '.join(value.split('|'))}\" ;;")
        for kind, flag in (("dirs", "-d"), ("files", "-f")):
            if by_kind[kind]:
                values.append(f"                {'|'.join(by_kind[kind])}) compgen_flag={flag} ;;")
        value_case = "\n".join(values)
        cases.append(f"""        {name})
            case $prev in
{value_case}
            esac
            opts="{' '.join(sorted(set(words)))}" ;;""" if values else
                     f"        {name}) opts=\"{' '.join(sorted(set(words)))}\" ;;")
    case_block = "\n".join(cases)
    return f"""# bash completion for arcanote-cli, generated from its help.
_arcanote_cli()
{{
    local cur prev command i opts words compgen_flag
    cur=${{COMP_WORDS[COMP_CWORD]}}
    prev=${{COMP_WORDS[COMP_CWORD-1]}}
    if [[ $prev == --home ]]; then
        mapfile -t COMPREPLY < <(compgen -d -- "$cur"); return
    fi
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
            mapfile -t COMPREPLY < <(compgen -W "{' '.join(name for name, _ in commands)}" -- "$cur")
        fi
        return
    fi
    words= compgen_flag=
    case $command in
{case_block}
        *) opts= ;;
    esac
    if [[ -n $compgen_flag ]]; then
        mapfile -t COMPREPLY < <(compgen $compgen_flag -- "$cur"); return
    fi
    if [[ -n $words ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur"); return
    fi
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
        usage, options, commands = parse_main_help(run_help(cli, home))
        helps = {name: parse_command_help(name, run_help(cli, home, name))
                 for name, _ in commands}
    global_options = [option.split()[0] for option, _ in options] + ["--help", "--version"]
    write(os.path.join(out_dir, "arcanote-cli.1"),
          cli_page(version, usage, options, commands, helps), gzipped=True)
    write(os.path.join(out_dir, "arcanote.1"), desktop_page(version), gzipped=True)
    write(os.path.join(out_dir, "arcanote-cli"), completion(global_options, commands, helps))


if __name__ == "__main__":
    main()
