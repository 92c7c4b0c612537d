# bash completion for tavocps-cli: its commands, each command's own options
# (the ones its usage names, as the program accepts them), the values of
# --answer, --format, --paper and report, and file names elsewhere.

_tavocps_cli_options()
{
    case "$1" in
        set|delete) echo "--answer" ;;
        import-csv) echo "--in-file-order" ;;
        report) echo "--format --paper" ;;
        identify|reset) echo "--port --trace --quiet --progress" ;;
        read) echo "--port --trace --quiet --progress --image --profile --password" ;;
        write) echo "--port --trace --quiet --progress --image --password --yes --verify --batch --dry-run" ;;
        factory-reset) echo "--port --trace --quiet --progress --yes" ;;
    esac
    echo "--install-dir --help"
}

# File names: bash-completion's own helper where it is loaded, else compgen.
_tavocps_cli_files()
{
    if declare -F _filedir >/dev/null; then
        _filedir "$@"
    elif [[ "$1" == -d ]]; then
        COMPREPLY=($(compgen -d -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}

_tavocps_cli()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
    fi

    local commands="image2profile profile2image decode encode validate set add delete export-csv import-csv cables identify read write diff reset factory-reset report help"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --install-dir|--port|--image|--profile|--password|--answer|--trace|--batch|--format|--paper) ((i++)) ;;
            --) break ;;
            -*) ;;
            *) command="${words[i]}"; break ;;
        esac
    done

    case "$prev" in
        --install-dir) _tavocps_cli_files -d; return ;;
        --port) COMPREPLY=($(compgen -f -- "${cur:-/dev/}")); return ;;
        --answer) COMPREPLY=($(compgen -W "yes no" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "htm pdf" -- "$cur")); return ;;
        --paper) COMPREPLY=($(compgen -W "a4 letter" -- "$cur")); return ;;
        --password) return ;;
        --image|--profile|--trace|--batch) _tavocps_cli_files; return ;;
    esac

    if [[ -z "$command" ]]; then
        if [[ "$cur" == -* ]]; then
            COMPREPLY=($(compgen -W "--install-dir --help --version" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi
    if [[ "$command" == help ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    if [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W "$(_tavocps_cli_options "$command")" -- "$cur"))
        return
    fi
    if [[ "$command" == report && "$prev" == report ]]; then
        COMPREPLY=($(compgen -W "handout detailed" -- "$cur"))
        return
    fi
    _tavocps_cli_files
}
complete -F _tavocps_cli tavocps-cli
