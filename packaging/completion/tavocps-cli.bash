# bash completion for tavocps-cli: its commands, each command's own options
# (the ones its usage names, as the program accepts them), the values of
# --answer, --format and report, and file names elsewhere.

_tavocps_cli_options()
{
    case "$1" in
        set|delete) echo "--answer" ;;
        import-csv) echo "--in-file-order" ;;
        report) echo "--format" ;;
        identify|reset) echo "--port --trace --quiet --progress" ;;
        read) echo "--port --trace --quiet --progress --image --profile --password" ;;
        write) echo "--port --trace --quiet --progress --image --password --yes --verify --batch --dry-run" ;;
        factory-reset) echo "--port --trace --quiet --progress --yes" ;;
    esac
    echo "--install-dir --help"
}

_tavocps_cli()
{
    local cur prev words cword
    _init_completion -n = || return

    local commands="image2profile profile2image decode encode validate set add delete export-csv import-csv cables identify read write diff reset factory-reset report help"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            --install-dir|--port|--image|--profile|--password|--answer|--trace|--batch|--format) ((i++)) ;;
            --) break ;;
            -*) ;;
            *) command="${words[i]}"; break ;;
        esac
    done

    case "$prev" in
        --install-dir) _filedir -d; return ;;
        --port) COMPREPLY=($(compgen -f -- "${cur:-/dev/}")); return ;;
        --answer) COMPREPLY=($(compgen -W "yes no" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "htm pdf" -- "$cur")); return ;;
        --password) return ;;
        --image|--profile|--trace|--batch) _filedir; return ;;
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
    _filedir
}
complete -F _tavocps_cli tavocps-cli
