# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for velora-cli: the commands, each command's options and
# the files each one reads or writes.

_velora_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="info thumbnail render resave import capture design export download send starter"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local command=${words[1]}
    case $prev in
        -o)
            case $command in
                import | capture) _filedir mtp ;;
                design) _filedir vld ;;
                thumbnail | render | export) _filedir '@(bmp|gif|jpg|jpeg|png|tif|tiff)' ;;
                *) _filedir ;;
            esac
            return
            ;;
        --textures)
            _filedir -d
            return
            ;;
        --profile)
            COMPREPLY=($(compgen -W "templates textures veloras" -- "$cur"))
            return
            ;;
        --smooth)
            COMPREPLY=($(compgen -W "on off" -- "$cur"))
            return
            ;;
        --transform)
            COMPREPLY=($(compgen -W "13 14 15 16 17" -- "$cur"))
            return
            ;;
        --compression)
            COMPREPLY=($(compgen -W "2 3 4 5 6" -- "$cur"))
            return
            ;;
        --depth)
            COMPREPLY=($(compgen -W "1 4 8 24 32" -- "$cur"))
            return
            ;;
        --size | --at | --area | --quality | --fill | --fill-index | --close-gaps | --page | --threshold)
            return
            ;;
    esac

    local options
    case $command in
        info) options="--rects" ;;
        thumbnail | resave) options="-o" ;;
        render) options="-o --screen --smooth" ;;
        import) options="-o --size --page --threshold" ;;
        capture) options="-o --at --area --all --area-per-region --close-gaps" ;;
        design) options="-o --fill --fill-index" ;;
        export) options="-o --size --quality --transform --compression --depth" ;;
        download) options="--profile --all" ;;
        send) options="--profile" ;;
        starter) options="" ;;
        *) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --textures --help" -- "$cur"))
        return
    fi
    case $command in
        info | thumbnail | render | resave) _filedir '@(mtp|vld)' ;;
        import) _filedir '@(dxf|wmf|emf|svg|svgz|pdf|png|jpg|jpeg|tif|tiff|bmp|gif)' ;;
        capture | design) _filedir mtp ;;
        export) _filedir vld ;;
        send) _filedir ;;
    esac
} && complete -F _velora_cli velora-cli
